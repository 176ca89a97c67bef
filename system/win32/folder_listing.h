// Listing a folder on Windows, for the file layer and the folder functions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tolvanex::win32 {

struct FolderEntry {
  std::string Name;  // in the ANSI code page; the short name where the long one has no place there
  DWORD Attributes = 0;
  std::uint64_t WrittenTicks = 0;  // the last write, as the folder records it
};

// Calls each for every entry of the folder ("" is the current folder) but "." and "..". A name
// that cannot be written in the ANSI code page, and has no short name, is left out: the program
// could not open it. False when the folder does not exist; other failures throw.
bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& each);

// The path of a name in a folder ("" is the current folder).
std::string InFolder(const std::string& folder, const std::string& name);

}  // namespace tolvanex::win32
