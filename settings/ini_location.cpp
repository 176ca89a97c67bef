#include "settings/ini_location.h"

#include <cstdlib>

#include "base/paths.h"
#include "system/folders.h"

namespace tolvanex {

namespace {

std::string WithoutTrailingSeparators(std::string folder) {
  while (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
  return folder;
}

// $XDG_CONFIG_HOME or $XDG_DATA_HOME plus "tolvanex", else the home folder's fallback. A relative
// value is to be ignored: it would name a different folder from every current folder the program
// passes through.
std::string UserFolder(const char* variable, const char* fallbackInHome) {
  const char* value = std::getenv(variable);
  std::string base = (value != nullptr && value[0] == kPathSeparator)
                         ? std::string(value)
                         : AddBackslash(WithoutTrailingSeparators(HomeFolder())) + fallbackInHome;
  return AddBackslash(WithoutTrailingSeparators(base)) + "tolvanex";
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
  if (fileExists(besideProgram)) return besideProgram;

  std::string configFolder = UserFolder("XDG_CONFIG_HOME", ".config");
  MakeFolders(configFolder);
  return AddBackslash(configFolder) + fileName;
}

std::string ProgramFolder(std::string_view iniFile) {
  if (iniFile.find(kPathSeparator) == std::string_view::npos) return {};
  std::string folder = PathOfFile(iniFile);
  if (folder.empty()) return std::string(1, kPathSeparator);
  return folder;
}

std::string DataFolder(const ProgramInfo& program, std::string_view iniFile) {
  std::string programFolder = FolderOf(program);
  if (ProgramFolder(iniFile) == programFolder) return programFolder;
  return UserFolder("XDG_DATA_HOME", ".local/share");
}

}  // namespace tolvanex
