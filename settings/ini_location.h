// Where the settings file lives, and the folder that the defaults of the data files name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/platform.h"

namespace tolvanex {

// Beside the program (its folder, its name, ".ini") only when that folder already holds the file:
// a portable copy. Otherwise the same name in $XDG_CONFIG_HOME/tolvanex/ (default
// ~/.config/tolvanex/), which is created. An installed program, run by root or not, so never
// writes into the system folder that holds it.
std::string IniFilePath(const ProgramInfo& program);

// The same with the test whether the settings file beside the program exists given, in place of
// a look at the file system.
using SettingsFileTest = std::function<bool(const std::string& path)>;
std::string IniFilePath(const ProgramInfo& program, const SettingsFileTest& fileExists);

// The folder that holds the settings file, without a trailing separator except for the root.
// Empty while iniFile names no folder.
std::string ProgramFolder(std::string_view iniFile);

// The folder that the defaults of the lookup file and the output folder name: the program's own
// folder when the settings file lies beside the program, otherwise $XDG_DATA_HOME/tolvanex
// (default ~/.local/share/tolvanex). Nothing is created here.
std::string DataFolder(const ProgramInfo& program, std::string_view iniFile);

}  // namespace tolvanex
