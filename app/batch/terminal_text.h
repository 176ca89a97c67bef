// Text on its way to the terminal. Identifiers, dates and file names come from data files and
// folders that anyone may have written: a control character in them must not reach the terminal,
// which would act on it (clear the screen, move the cursor, set the window title).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvanex {

// The text with every control character written as \xNN (ESC is \x1b): the C0 controls, DEL,
// and the C1 controls both in their UTF-8 form (\xc2\x9b) and as single bytes 0x80 to 0x9F that
// continue no UTF-8 character (\x9b). Every other byte passes unchanged, so that a character of
// UTF-8 whose bytes lie in that range ("€" is e2 82 ac) stays whole.
std::string EscapeControls(std::string_view text);

// The columns the text takes on a UTF-8 terminal: one for each character (each byte that does not
// continue a multi-byte character).
std::size_t ColumnsOf(std::string_view text);

// The text cut to at most columns columns; when it is cut, its start is replaced by "..." so
// that the end, which tells file names apart, stays. Never cuts a character in half.
std::string KeepEnd(std::string_view text, std::size_t columns);

}  // namespace tolvanex
