// The text a control of this program shows, read through the control itself.
#pragma once

#include <windows.h>

#include <string>

namespace tolvanex::win32 {

std::wstring ControlText(HWND control);

}  // namespace tolvanex::win32
