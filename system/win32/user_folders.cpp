#include "system/user_folders.h"

#include <windows.h>

#include <shlobj.h>

#include "system/file_io.h"
#include "system/folders.h"
#include "system/win32/folder_listing.h"
#include "system/win32/wide_text.h"

namespace tolvanex {

namespace {

// One of the user's application data folders as the shell knows it, or its usual place under
// the home folder.
std::string KnownFolder(const KNOWNFOLDERID& id, const char* usualPlace) {
  wchar_t* folder = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &folder))) {
    result = win32::AnsiFromWide(folder);
  }
  CoTaskMemFree(folder);
  if (result.empty()) result = HomeFolder() + usualPlace;
  return result;
}

// The installer puts its uninstaller beside the programs; a copy from the ZIP has none.
constexpr const char* kUninstaller = "Uninstall.exe";

}  // namespace

std::string DefaultsRoot() {
  return "C:";
}

std::string UserSettingsFolder() {
  return KnownFolder(FOLDERID_RoamingAppData, "\\AppData\\Roaming") + "\\Tolvanex";
}

std::string UserDataFolder() {
  return KnownFolder(FOLDERID_LocalAppData, "\\AppData\\Local") + "\\Tolvanex";
}

bool SettingsBesideProgram(const std::string& programFolder, bool settingsFileThere) {
  if (io::IsRegularFile(win32::InFolder(programFolder, kUninstaller))) return false;
  return settingsFileThere || FolderIsWritable(programFolder);
}

}  // namespace tolvanex
