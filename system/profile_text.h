// Profile files: the "[section]" / "key=value" text files in which the settings are kept, read and
// edited the way the Windows profile functions do it, so that a settings file moved between the
// two systems means the same thing on both.
//
// Reading: lines end at CR, LF or CR LF and are trimmed of white space; a line starting with "["
// that holds a "]" is a section header named by the text up to its last "]"; any other line is an
// entry, its key before the first "=" and its value after it, blanks around both ignored. Section
// and key names match without regard to letter case. The first section of a name and the first
// entry of a key in it are the ones that count; entries above the first header belong to no
// section. There is no comment syntax: ";key=x" is simply the key ";key".
//
// Writing edits the text rather than rebuilding it: every line but the one written keeps its bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvanex {

// The buffer the settings store reads into: values come back with at most 254 bytes.
inline constexpr std::size_t kProfileBufferSize = 255;

// The value of key in section of a profile text, or defaultValue (its trailing blanks removed)
// when the section or the key is missing or the key's line has no "=". One pair of matching quotes
// around the value ("..." or '...') is removed, which is how a value keeps surrounding blanks. The
// result holds at most bufferSize - 1 bytes and is never cut inside a UTF-8 sequence.
std::string ProfileGetString(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize = kProfileBufferSize);

// The profile text with key in section set to value. An existing key line is rewritten in place as
// its own key spelling, "=" and the value, keeping its line end; a new key goes after the last
// non-blank line of the section; a new section goes at the end of the text. New lines end in
// CR LF, and one CR LF is added first when the text does not end in a line break. CR and LF are
// left out of the value (and it ends at a NUL), so that a value can never add lines.
std::string ProfileSetString(std::string fileText, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace tolvanex
