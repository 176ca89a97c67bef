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
      if (window.TakeMessage(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

}  // namespace tolvanex::win32
