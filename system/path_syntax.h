// How paths are spelt on this system: the folder separator, the characters that end a folder
// name, and what a file name cannot hold.
#pragma once

namespace tolvanex {

#ifdef _WIN32
// "\" is the separator; "/" is taken as one too when a path is read.
inline constexpr char kPathSeparator = '\\';
inline constexpr bool kSlashSeparatesToo = true;
#else
inline constexpr char kPathSeparator = '/';
inline constexpr bool kSlashSeparatesToo = false;
#endif

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
