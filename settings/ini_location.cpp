#include "settings/ini_location.h"

#include <algorithm>

#include "base/paths.h"
#include "system/folders.h"
#include "system/path_syntax.h"
#include "system/user_folders.h"

namespace tolvanex {

namespace {

std::string WithoutTrailingSeparators(std::string folder) {
  while (folder.size() > 1 && IsPathSeparator(folder.back())) folder.pop_back();
  return folder;
}

// An empty folder can only be the root: a path relative to the current folder would move with
// every folder the user browses to.
std::string FolderOf(const ProgramInfo& program) {
  return program.Folder.empty() ? std::string(1, kPathSeparator)
                                : WithoutTrailingSeparators(program.Folder);
}

bool SystemSaysExists(const std::string& path) {
  return FileExists(path);
}

}  // namespace

std::string IniFilePath(const ProgramInfo& program) {
  return IniFilePath(program, SystemSaysExists);
}

std::string IniFilePath(const ProgramInfo& program, const SettingsFileTest& fileExists) {
  std::string fileName = program.Name + ".ini";
  std::string besideProgram = AddBackslash(FolderOf(program)) + fileName;
  if (SettingsBesideProgram(FolderOf(program), fileExists(besideProgram))) {
    return besideProgram;
  }

  std::string configFolder = UserSettingsFolder();
  MakeFolders(configFolder);
  return AddBackslash(configFolder) + fileName;
}

std::string ProgramFolder(std::string_view iniFile) {
  if (std::none_of(iniFile.begin(), iniFile.end(), IsPathSeparator)) return {};
  std::string folder = PathOfFile(iniFile);
  if (folder.empty()) return std::string(1, kPathSeparator);
  return folder;
}

std::string DataFolder(const ProgramInfo& program, std::string_view iniFile) {
  std::string programFolder = FolderOf(program);
  if (ProgramFolder(iniFile) == programFolder) return programFolder;
  return UserDataFolder();
}

}  // namespace tolvanex
