// Where the settings file lives.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/platform.h"

namespace tolvanex {

// Beside the program (its folder, its name, ".ini") when that folder is writable or already holds
// the file; otherwise the same name in $XDG_CONFIG_HOME/tolvanex/ (default ~/.config/tolvanex/).
// The folder that holds it also counts as the running program's folder for the default lookup
// file and output folder.
std::string IniFilePath(const ProgramInfo& program);

// The same with the test whether a folder takes new files given, in place of the system's
// access(W_OK), which says yes to every folder for a user who may write anywhere.
using FolderWritableTest = std::function<bool(const std::string& folder)>;
std::string IniFilePath(const ProgramInfo& program, const FolderWritableTest& folderIsWritable);

// The folder of the running program as the settings see it: the folder that holds the settings
// file, without a trailing separator except for the root. Empty while iniFile names no folder.
std::string ProgramFolder(std::string_view iniFile);

}  // namespace tolvanex
