#pragma once
// The serialisable classes an archive may recreate on reading, by the name in their class record.
// Register every class before the first archive is read; lookups do not lock.
//
// The program's classes belong in CClassRegistry::Program(), registered by one explicit call at
// start-up: a self-registering static object in a static library is dropped by the linker when
// nothing else in its file is used.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "settings/CSerializable.h"

namespace settings {

class CClassRegistry {
 public:
  using Factory = std::shared_ptr<CSerializable> (*)();

  struct Entry {
    std::string name;
    std::uint16_t schema;
    Factory create;
  };

  // A class name read back from an archive must be shorter than this.
  static constexpr std::size_t kNameLimit = 64;

  // The registry of the program's own classes; the one an archive uses unless given another.
  static CClassRegistry& Program();

  // Adds a class. Throws std::logic_error for an empty name, a name of kNameLimit bytes or more
  // (no reader would take it back) or a name already registered.
  void Register(std::string name, std::uint16_t schema, Factory create);

  // Adds T under its own GetClassName() and GetSchema(); T must be default-constructible.
  template <class T>
  void Register() {
    const T probe{};
    Register(std::string(probe.GetClassName()), probe.GetSchema(),
             []() -> std::shared_ptr<CSerializable> { return std::make_shared<T>(); });
  }

  // The class of that name, or nullptr. The entry lives as long as the registry.
  const Entry* Find(std::string_view name) const;

 private:
  std::map<std::string, Entry, std::less<>> entries_;
};

}  // namespace settings
