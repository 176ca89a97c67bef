#include "core/default_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace tolvanex {

std::string HomeFolder() {
#ifdef _WIN32
  return "C:";
#else
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
#endif
}

#ifdef _WIN32
std::string DefaultPostFolder() {
  return "C:\\Velko";
}
std::string DefaultDataFile() {
  return "C:\\Sondrel\\Sondrel.dat";
}
#else
std::string DefaultPostFolder() {
  return HomeFolder() + "/Velko";
}
std::string DefaultDataFile() {
  return HomeFolder() + "/Sondrel/Sondrel.dat";
}
#endif

}  // namespace tolvanex
