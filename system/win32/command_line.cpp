#include "system/win32/command_line.h"

namespace tolvanex::win32 {

std::wstring QuotedArgument(std::wstring_view argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
    return std::wstring(argument);
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each one is doubled, and the quote escaped.
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  // Before the closing quote too.
  quoted.append(2 * backslashes, L'\\');
  quoted += L'"';
  return quoted;
}

}  // namespace tolvanex::win32
