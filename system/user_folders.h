// Where the program keeps things for a user when it is not told where: the root of the default
// paths, and the folders of the settings file and of the data files made for the user.
#pragma once

#include <string>

namespace tolvanex {

// The folder under which the default data file and post folder lie: the home folder on POSIX,
// the drive "C:" on Windows.
std::string DefaultsRoot();

// The folder of the settings file when it is not beside the program: on POSIX
// $XDG_CONFIG_HOME/tolvanex (when that is an absolute path), else ~/.config/tolvanex; on Windows
// %APPDATA%\Tolvanex.
std::string UserSettingsFolder();

// The folder of the lookup file and the output folder made for the user when the settings file
// is not beside the program: on POSIX $XDG_DATA_HOME/tolvanex (when absolute), else
// ~/.local/share/tolvanex; on Windows %APPDATA%\Tolvanex.
std::string UserDataFolder();

// Whether a settings file that does not exist yet is to be made beside the program: on Windows
// when the program's folder is writable (a copy unpacked anywhere keeps its settings with it);
// never on POSIX, where programs live in folders of the system.
bool NewSettingsBesideProgram(const std::string& programFolder);

}  // namespace tolvanex
