// How paths are spelt on this system: the folder separator, the characters that end a folder
// name, and what a file name cannot hold.
#pragma once

namespace tolvanex {

// Which system's spelling: the build says, as it picks the side of the seam
// (system/CMakeLists.txt).
inline constexpr bool kWindowsPaths = TOLVANEX_WINDOWS_PATHS;

// On Windows "\" is the separator, and "/" is taken as one too when a path is read.
inline constexpr char kPathSeparator = kWindowsPaths ? '\\' : '/';
inline constexpr bool kSlashSeparatesToo = kWindowsPaths;

constexpr bool IsPathSeparator(char c) {
  return c == kPathSeparator || (kSlashSeparatesToo && c == '/');
}

// A character that cannot stand in one file name: a separator (which would put the file into
// another folder), a drive colon on Windows, a control character or NUL.
constexpr bool IsForbiddenInFileName(char c) {
  auto u = static_cast<unsigned char>(c);
  return IsPathSeparator(c) || c == '/' || (kSlashSeparatesToo && c == ':') || u < 0x20 ||
         u == 0x7f;
}

}  // namespace tolvanex
