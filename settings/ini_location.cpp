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

// A relative $XDG_CONFIG_HOME is to be ignored: it would name a different folder from every
// current folder the program passes through.
std::string UserConfigFolder() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  std::string base = (configHome != nullptr && configHome[0] == kPathSeparator)
                         ? std::string(configHome)
                         : AddBackslash(WithoutTrailingSeparators(HomeFolder())) + ".config";
  return AddBackslash(WithoutTrailingSeparators(base)) + "tolvanex";
}

}  // namespace

std::string IniFilePath(const ProgramInfo& program) {
  return IniFilePath(program, FolderIsWritable);
}

std::string IniFilePath(const ProgramInfo& program, const FolderWritableTest& folderIsWritable) {
  std::string fileName = program.Name + ".ini";
  // An empty folder can only be the root: a settings path relative to the current folder would
  // move with every folder the user browses to.
  std::string folder = program.Folder.empty() ? std::string(1, kPathSeparator) : program.Folder;
  std::string besideProgram = AddBackslash(folder) + fileName;
  if (folderIsWritable(folder) || FileExists(besideProgram)) return besideProgram;

  std::string configFolder = UserConfigFolder();
  MakeFolders(configFolder);
  return AddBackslash(configFolder) + fileName;
}

std::string ProgramFolder(std::string_view iniFile) {
  if (iniFile.find(kPathSeparator) == std::string_view::npos) return {};
  std::string folder = PathOfFile(iniFile);
  if (folder.empty()) return std::string(1, kPathSeparator);
  return folder;
}

}  // namespace tolvanex
