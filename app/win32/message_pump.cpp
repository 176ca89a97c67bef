#include "app/win32/message_pump.h"

#include "app/win32/main_window.h"

namespace tolvanex::win32 {

int RunMessageLoop(MainWindow& window) {
  MSG message;
  for (;;) {
    BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    // Only a bad argument fails, and the loop gives none.
    if (got < 0) return 1;
    if (!window.TakeMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    // A loop of the system's that the message led into (a menu, a move) may have taken the quit
    // request.
    if (window.Closed()) return 0;
  }
}

}  // namespace tolvanex::win32
