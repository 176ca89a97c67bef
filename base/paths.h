// Paths and names as the window's routines handle them. None of these traps: a failure inside
// one is reported under the label of the routine that called it.
#pragma once

#include <string>
#include <string_view>

#include "system/path_syntax.h"

namespace tolvanex {

// The folder path with one trailing separator; the empty path stays empty.
std::string AddBackslash(std::string_view path);
// Blanks trimmed; then a leading double quote dropped, and with it a trailing one.
std::string StripQuotes(std::string_view text);
// The same as a view into the text.
std::string_view QuotesStripped(std::string_view text);
// True for an existing regular file (links followed); false for a folder, a device or nothing.
// A name starting with "." counts: there is no hidden attribute to leave it out.
bool FileExists(const std::string& path);
// The part before the last separator, or the whole path when it has none.
std::string PathOfFile(std::string_view path);
// The part after the last separator, or the whole path when it has none.
std::string NameOfFile(std::string_view path);
// The text up to its first NUL.
std::string TrimNull(std::string_view text);

}  // namespace tolvanex
