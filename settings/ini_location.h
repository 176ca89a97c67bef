// Where the settings file lives.
#pragma once

#include <string>

#include "ui/platform.h"

namespace tolvanex {

// Beside the program (its folder, its name, ".ini") when that folder is writable or already holds
// the file; otherwise the same name in $XDG_CONFIG_HOME/tolvanex/ (default ~/.config/tolvanex/).
// The folder that holds it also counts as the running program's folder for the default lookup
// file and output folder.
std::string IniFilePath(const ProgramInfo& program);

}  // namespace tolvanex
