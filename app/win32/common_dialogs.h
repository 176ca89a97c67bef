// The system's dialogs that the desktop opens: the open-file dialog, the folder picker and the
// input box of the site prompt. Each waits for the user and returns what was chosen.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace tolvanex::win32 {

// The filter list as the open-file dialog takes it: description and pattern of each pair, each
// ended by a NUL, and one more NUL after the last pair.
std::wstring FilterList(const std::vector<FileFilter>& filters);

// A path the system gave, as the program's text; the short form of a name that the code page
// cannot write. Throws when neither can be written: such a path could not be used.
std::string ChosenPath(const std::wstring& path);

// The Explorer-style open dialog with the first filter in force and the initial name filled in;
// the chosen name need not exist. No value on cancel; a failure of the dialog is thrown.
std::optional<std::string> ShowOpenDialog(HWND owner, const std::vector<FileFilter>& filters,
                                          const std::string& initialName);

// The shell's folder picker, rooted at the computer's drives, file-system folders only, with the
// start folder selected when it opens. No value on cancel.
std::optional<std::string> PickFolder(HWND owner, const std::string& prompt,
                                      const std::string& startFolder);

// The picker's callback: when the picker has opened, it selects the start folder that the
// caller's data points to (a wide text). Always 0.
int CALLBACK BrowseCallbackProc(HWND picker, UINT message, LPARAM parameter, LPARAM data);

// The input box: the prompt, the title, the answer filled in with the default and selected, OK
// and Cancel. The answer, or the empty text on Cancel.
std::string ShowInputBox(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer);

}  // namespace tolvanex::win32
