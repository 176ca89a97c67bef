// The window's messages, handed out by the main loop.
#pragma once

#include <windows.h>

namespace tolvanex::win32 {

class Win32View;

// Hands out the messages waiting now, each first to the window's keyboard handling; returns
// without waiting. A request to quit stays queued for the main loop, and ends the let-through.
void LetMessagesThrough(Win32View* view);

// Hands out messages until the program is asked to quit. Returns the exit code the quit request
// carried.
int RunMessageLoop(Win32View& view);

}  // namespace tolvanex::win32
