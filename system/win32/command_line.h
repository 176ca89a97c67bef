// Command lines of Windows programs: one text that the started program splits into its
// arguments by the rules of the Microsoft C runtime.
#pragma once

#include <string>
#include <string_view>

namespace tolvanex::win32 {

// The argument as the command line must hold it so that the program receives it unchanged:
// quoted when it is empty or holds a blank, a tab or a quote, with the backslashes before a
// quote doubled and the quote escaped.
std::wstring QuotedArgument(std::wstring_view argument);

}  // namespace tolvanex::win32
