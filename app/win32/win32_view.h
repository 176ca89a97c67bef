// What the desktop needs of the window it serves: where its boxes belong, how it closes, and its
// keyboard handling of the messages the main loop hands out.
#pragma once

#include <windows.h>

namespace tolvanex::win32 {

class Win32View {
 public:
  virtual ~Win32View() = default;
  // The owner of the desktop's boxes: the window while it is in sight, else none.
  virtual HWND Owner() const = 0;
  virtual void CloseWindow() = 0;
  // True once the window has closed for good: the program ends with it.
  virtual bool Closed() const = 0;
  // The window's keyboard handling of a message (its shortcuts, Tab between controls); true when
  // the message has been handled and must not be dispatched.
  virtual bool TakeMessage(MSG& message) = 0;
};

}  // namespace tolvanex::win32
