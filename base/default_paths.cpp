#include "base/default_paths.h"

#include "base/paths.h"
#include "system/user_folders.h"

namespace tolvanex {

std::string DefaultPostFolder() {
  return AddBackslash(DefaultsRoot()) + "Velko";
}

std::string DefaultDataFile() {
  std::string root = AddBackslash(DefaultsRoot());
  return root + "Sondrel" + kPathSeparator + "Sondrel.dat";
}

}  // namespace tolvanex
