#include "system/user_folders.h"

#include <cstdlib>

#include "system/folders.h"

namespace tolvanex {

namespace {

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// $XDG_CONFIG_HOME or $XDG_DATA_HOME plus "tolvanex", else the home folder's fallback. A relative
// value is to be ignored: it would name a different folder from every current folder the program
// passes through.
std::string XdgFolder(const char* variable, const char* fallbackInHome) {
  const char* value = std::getenv(variable);
  std::string base = (value != nullptr && value[0] == '/')
                         ? std::string(value)
                         : WithoutTrailingSlashes(HomeFolder()) + "/" + fallbackInHome;
  base = WithoutTrailingSlashes(base);
  if (base != "/") base += '/';
  return base + "tolvanex";
}

}  // namespace

std::string DefaultsRoot() {
  return HomeFolder();
}

std::string UserSettingsFolder() {
  return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string UserDataFolder() {
  return XdgFolder("XDG_DATA_HOME", ".local/share");
}

bool SettingsBesideProgram(const std::string&, bool settingsFileThere) {
  return settingsFileThere;
}

}  // namespace tolvanex
