#include "settings/CClassRegistry.h"

#include <stdexcept>

namespace settings {

CClassRegistry& CClassRegistry::Program() {
  static CClassRegistry registry;
  return registry;
}

void CClassRegistry::Register(std::string name, std::uint16_t schema, Factory create) {
  if (name.empty() || name.size() >= kNameLimit) {
    throw std::logic_error("serialisable class name must be 1 to 63 bytes: " + name);
  }
  if (entries_.contains(name)) throw std::logic_error("serialisable class registered twice: " + name);
  Entry entry{name, schema, create};
  entries_.emplace(std::move(name), std::move(entry));
}

const CClassRegistry::Entry* CClassRegistry::Find(std::string_view name) const {
  const auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace settings
