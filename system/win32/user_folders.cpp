#include "system/user_folders.h"

#include <windows.h>

#include <shlobj.h>

#include "system/folders.h"
#include "system/win32/wide_text.h"

namespace tolvanex {

namespace {

// The user's roaming application data folder: %APPDATA%, as the shell knows it.
std::string RoamingFolder() {
  wchar_t* folder = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
    result = win32::AnsiFromWide(folder);
  }
  CoTaskMemFree(folder);
  if (result.empty()) result = HomeFolder() + "\\AppData\\Roaming";
  return result;
}

}  // namespace

std::string DefaultsRoot() {
  return "C:";
}

std::string UserSettingsFolder() {
  return RoamingFolder() + "\\Tolvanex";
}

std::string UserDataFolder() {
  return UserSettingsFolder();
}

bool NewSettingsBesideProgram(const std::string& programFolder) {
  return FolderIsWritable(programFolder);
}

}  // namespace tolvanex
