// Folders: the user's home, the current folder, listing a folder, and making one.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanex {

// The user's home folder (on POSIX $HOME, else the password database's entry; on Windows
// %USERPROFILE%, else %HOMEDRIVE%%HOMEPATH%).
std::string HomeFolder();

// The names of the ordinary files in a folder (links followed: a link to a file is listed, a
// link to a folder is not) for which wanted says yes, in the order the system gives them. A file
// that the system itself keeps out of sight (Windows' hidden and system files) is no ordinary
// file; where hiding is only a name's leading "." (POSIX), wanted decides. The empty folder name
// is the current folder. No value when the folder does not exist; other failures throw
// std::system_error.
std::optional<std::vector<std::string>> OrdinaryFilesIn(
    const std::string& folder, const std::function<bool(std::string_view name)>& wanted);

// Makes folder the current folder; false, with nothing changed, when the system refuses.
bool ChangeCurrentFolder(const std::string& folder);

// True for an existing folder in which this user may create files.
bool FolderIsWritable(const std::string& folder);

// Who may look into a folder that the program makes: only this user (the program's own data),
// or whoever the user's files are usually open to, for a folder that others may have to read,
// such as the post files'. Where the system gives a new folder its parent's permissions
// (Windows) both are the parent's; on POSIX they are 0700 and 0777 less the umask.
enum class FolderAccess { UserOnly, AsUsual };

// Makes every missing level of an absolute folder path. A level that cannot be made shows later,
// as a write that the system refuses.
void MakeFolders(const std::string& folder, FolderAccess access = FolderAccess::UserOnly);

}  // namespace tolvanex
