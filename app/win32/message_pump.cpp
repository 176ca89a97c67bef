#include "app/win32/message_pump.h"

#include "app/win32/win32_view.h"
#include "system/stop_requests.h"
#include "system/win32/stop_event.h"

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
  for (;;) {
    HANDLE stopEvent = StopRequestEvent();
    DWORD handles = stopEvent != nullptr ? 1 : 0;
    DWORD woken = ::MsgWaitForMultipleObjectsEx(handles, &stopEvent, INFINITE, QS_ALLINPUT,
                                                MWMO_INPUTAVAILABLE);
    if (handles == 1 && woken == WAIT_OBJECT_0) {
      DrainStopRequestDescriptor();
      view.CloseWindow();
      continue;
    }
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      Hand(&view, message);
      // A loop of the system's that the message led into (a menu, a move) may have taken the
      // quit request.
      if (view.Closed()) return 0;
    }
  }
}

}  // namespace tolvanex::win32
