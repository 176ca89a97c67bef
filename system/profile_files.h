// Profile files on disk: on Windows the system's own profile functions
// (GetPrivateProfileStringA, WritePrivateProfileStringA); elsewhere the same rules
// (system/profile_text.h) over the file layer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "system/profile_text.h"

namespace tolvanex {

// ProfileGetString over a file. A missing file reads as an empty text, so every key gives its
// default; a file that exists but cannot be read throws std::system_error.
std::string ReadProfileEntry(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize = kProfileBufferSize);

// ProfileSetString over a file, creating the file when it is missing. The new content replaces the
// old one as a whole (temporary file and rename), so a failed write leaves the old file as it was.
// False, with nothing written, when the system refuses: a missing or unwritable folder, a file
// without write permission, a file that exists but cannot be read (it is never replaced by one
// that lacks its lines). A file that would not change is not written again.
bool WriteProfileEntry(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace tolvanex
