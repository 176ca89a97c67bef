// Text between the program and Windows: the program keeps its text as bytes in the system's ANSI
// code page, and every name and message crosses to and from the system as wide text.
#pragma once

#include <string>
#include <string_view>

namespace tolvanex::win32 {

// Bytes in the ANSI code page as wide text. A byte that the code page does not define becomes
// the replacement character.
std::wstring WideFromAnsi(std::string_view text);
// Wide text in the ANSI code page; a character that the code page cannot hold becomes "?".
std::string AnsiFromWide(std::wstring_view text);
// The same for a name that must come back to the system unchanged: false when some character of
// it has no place in the code page.
bool AnsiFromWideExactly(std::wstring_view text, std::string& bytes);

// The value of an environment variable in the ANSI code page; empty when it is not set or cannot
// be written in the code page (a path that could not be used).
std::string EnvironmentText(const wchar_t* name);

}  // namespace tolvanex::win32
