// Moving a finished file into another folder without ever replacing a file there.
#pragma once

#include <string>
#include <string_view>

namespace tolvanex {

// The name that the n-th free-name attempt tries for a file name: the name itself for 0, then
// the stem with "-n" before the extension ("Sd0101.dat", "Sd0101-1.dat", "Sd0101-2.dat", ...).
// A leading "." is part of the stem, not an extension.
std::string NumberedName(std::string_view name, int n);

// Moves the file at path into folder under its own name, or under the first NumberedName that
// is free there; returns the path it got. A file already in the folder is never replaced, also
// when another program creates it meanwhile. Within one file system the move is a rename; across
// file systems the file is copied (its permissions or attributes and its modification time
// kept), the copy written through to the disk, and only then the original removed, so that a
// failure at any point leaves the original where it was and no partial copy behind. Throws
// std::system_error with the system's message, or a std::runtime_error when no numbered name is
// free or the file is in the folder already.
std::string MoveFileIntoFolder(const std::string& path, const std::string& folder);

}  // namespace tolvanex
