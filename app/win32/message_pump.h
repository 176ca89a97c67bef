// The window's messages, handed out by the main loop.
#pragma once

#include <windows.h>

namespace tolvanex::win32 {

class MainWindow;

// Hands out messages until the program is asked to quit or the window has closed for good.
// Returns the exit code the quit request carried.
int RunMessageLoop(MainWindow& window);

}  // namespace tolvanex::win32
