// Sets or removes an environment variable for one test and puts back what was there.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tolvanex::testing {

class ScopedEnvironment {
 public:
  // A null value removes the variable.
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() { Set(old_ ? old_->c_str() : nullptr); }

  void Set(const char* value) {
    if (value == nullptr) {
      ::unsetenv(name_);
    } else {
      ::setenv(name_, value, 1);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace tolvanex::testing
