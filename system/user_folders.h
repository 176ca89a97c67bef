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
// ~/.local/share/tolvanex; on Windows %LOCALAPPDATA%\Tolvanex.
std::string UserDataFolder();

// Whether the settings file lies beside the program, given whether a file of its name is there
// already. On POSIX only when it is (a portable copy made by hand): programs live in folders of
// the system. On Windows never for a copy that the installer put in place (its uninstaller
// stands beside it), even when an administrator may write its folder; otherwise when the file
// is there or the folder is writable, so that a copy unpacked anywhere keeps its settings with it.
bool SettingsBesideProgram(const std::string& programFolder, bool settingsFileThere);

}  // namespace tolvanex
