#include "app/win32/message_pump.h"

#include "app/win32/win32_view.h"

namespace tolvanex::win32 {

namespace {

void Hand(Win32View* view, MSG& message) {
  if (view != nullptr && view->TakeMessage(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

}  // namespace

void LetMessagesThrough(Win32View* view) {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // For the main loop, once the run has returned to it.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Hand(view, message);
  }
}

int RunMessageLoop(Win32View& view) {
  MSG message;
  for (;;) {
    BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    // Only a bad argument fails, and the loop gives none.
    if (got < 0) return 1;
    Hand(&view, message);
  }
}

}  // namespace tolvanex::win32
