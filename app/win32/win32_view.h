// What the desktop needs of the window it serves: where its boxes belong, whether a run goes,
// and the window's part in letting messages through.
#pragma once

#include <windows.h>

namespace tolvanex {
struct BorderedLabel;
}

namespace tolvanex::win32 {

class Win32View {
 public:
  virtual ~Win32View() = default;
  // The owner of the desktop's boxes: the window while it is in sight, else none.
  virtual HWND Owner() const = 0;
  virtual bool RunGoing() const = 0;
  // The window shows the model's values.
  virtual void ShowModel() = 0;
  virtual void ShowStatus(const BorderedLabel& status) = 0;
  virtual void CloseWindow() = 0;
  // The window's keyboard handling of a message (its shortcuts, Tab between controls); true when
  // the message has been handled and must not be dispatched.
  virtual bool TakeMessage(MSG& message) = 0;
};

}  // namespace tolvanex::win32
