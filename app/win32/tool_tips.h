// The tips of the window's controls.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace tolvanex::win32 {

// A tip for each of the controls; the window is asked for its text (TTN_GETDISPINFOW) each time
// it is about to show.
void AddToolTips(HWND window, std::initializer_list<int> controls);

}  // namespace tolvanex::win32
