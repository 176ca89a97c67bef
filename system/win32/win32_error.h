// Windows error codes as std::error_code: the message is the system's own, and the codes that
// the program tells apart compare equal to their std::errc counterparts.
#pragma once

#include <string>
#include <system_error>

namespace tolvanex::win32 {

// The category of the codes that GetLastError gives.
const std::error_category& Win32Category();

std::error_code Win32Error(unsigned long error);
[[noreturn]] void ThrowWin32Error(unsigned long error);
// Throws what GetLastError holds.
[[noreturn]] void ThrowLastError();

// The system's description of an error code, in the ANSI code page, without its line end.
std::string SystemMessage(unsigned long error);

}  // namespace tolvanex::win32
