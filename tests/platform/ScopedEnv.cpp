#include "platform/ScopedEnv.h"

#include <cstdlib>

namespace testing_support {
namespace {

void Put(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

}  // namespace

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) saved_ = old;
  Put(name_, value);
}

ScopedEnv::~ScopedEnv() { Put(name_, saved_); }

}  // namespace testing_support
