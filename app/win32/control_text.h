// The text a control of this program shows, read through the control itself, and the height of
// its font's line.
#pragma once

#include <windows.h>

#include <string>

namespace tolvanex::win32 {

std::wstring ControlText(HWND control);

// The height of a line of the font a window draws its text in.
int FontLineHeight(HWND window);

}  // namespace tolvanex::win32
