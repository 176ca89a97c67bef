// Guards that put the process's environment back when a test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/process.h"

namespace tolvanex::testing {

// An environment variable set or removed for one test; the old value comes back afterwards.
class EnvironmentVariable {
 public:
  explicit EnvironmentVariable(const char* name) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
  }
  EnvironmentVariable(const char* name, const char* value) : EnvironmentVariable(name) {
    Set(value);
  }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;
  ~EnvironmentVariable() { Set(old_ ? old_->c_str() : nullptr); }

  // nullptr removes the variable.
  void Set(const char* value) { SetEnvironment(name_, value); }
  void Unset() { Set(nullptr); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The current folder of the process, put back when the test ends.
class CurrentFolderGuard {
 public:
  CurrentFolderGuard() : saved_(std::filesystem::current_path()) {}
  CurrentFolderGuard(const CurrentFolderGuard&) = delete;
  CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;
  ~CurrentFolderGuard() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

}  // namespace tolvanex::testing
