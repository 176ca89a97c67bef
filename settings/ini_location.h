// Where the settings file lives, and the folder that the defaults of the data files name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "system/desktop.h"

namespace tolvanex {

// Beside the program (its folder, its name, ".ini") when that folder already holds the file (a
// portable copy), or on Windows when the folder is writable. Otherwise the same name in the
// user's settings folder (~/.config/tolvanex/, %APPDATA%\Tolvanex\), which is created. An
// installed program, run by root or not, so never writes into the system folder that holds it.
std::string IniFilePath(const ProgramInfo& program);

// The same with the test whether the settings file beside the program exists given, in place of
// a look at the file system.
using SettingsFileTest = std::function<bool(const std::string& path)>;
std::string IniFilePath(const ProgramInfo& program, const SettingsFileTest& fileExists);

// The folder that holds the settings file, without a trailing separator except for the root.
// Empty while iniFile names no folder.
std::string ProgramFolder(std::string_view iniFile);

// The folder that the defaults of the lookup file and the output folder name: the program's own
// folder when the settings file lies beside the program, otherwise the user's data folder
// (~/.local/share/tolvanex, %APPDATA%\Tolvanex). Nothing is created here.
std::string DataFolder(const ProgramInfo& program, std::string_view iniFile);

}  // namespace tolvanex
