#include "app/win32/message_pump.h"

#include "app/win32/main_window.h"
#include "system/stop_requests.h"
#include "system/win32/stop_event.h"

namespace tolvanex::win32 {

int RunMessageLoop(MainWindow& window) {
  for (;;) {
    HANDLE stopEvent = StopRequestEvent();
    DWORD handles = stopEvent != nullptr ? 1 : 0;
    DWORD woken = ::MsgWaitForMultipleObjectsEx(handles, &stopEvent, INFINITE, QS_ALLINPUT,
                                                MWMO_INPUTAVAILABLE);
    if (handles == 1 && woken == WAIT_OBJECT_0) {
      DrainStopRequestDescriptor();
      window.CloseWindow();
      continue;
    }
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      if (!window.TakeMessage(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      // A loop of the system's that the message led into (a menu, a move) may have taken the
      // quit request.
      if (window.Closed()) return 0;
    }
  }
}

}  // namespace tolvanex::win32
