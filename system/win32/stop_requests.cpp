// Stop requests on Windows: Ctrl-C, Ctrl-Break, the console window closed and the system shutting
// down, as the console reports them to a handler on a thread of its own.
#include "system/stop_requests.h"

#include <windows.h>

#include <atomic>

#include "system/win32/stop_event.h"
#include "system/win32/win32_error.h"

namespace tolvanex {

namespace {

// What a process ended by Ctrl-C reports, as the system's own handling would end it.
constexpr UINT kEndedByControlC = 0xC000013AU;

std::atomic<int> requests{0};
std::atomic<bool> secondEnds{false};
std::atomic<HANDLE> requestEvent{nullptr};

BOOL WINAPI OnControlEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      break;
    default:
      return FALSE;
  }
  int before = requests.fetch_add(1);
  if (HANDLE set = requestEvent.load(); set != nullptr) ::SetEvent(set);
  if (before > 0 && secondEnds.load()) ::ExitProcess(kEndedByControlC);
  // For a closed console or a shutdown the system ends the process as soon as the handler
  // returns: the handler waits, so that the program ends the way it decides, until the system's
  // own time for it runs out.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_SHUTDOWN_EVENT) ::Sleep(INFINITE);
  return TRUE;
}

}  // namespace

void WatchStopRequests(bool secondEndsProgram) {
  secondEnds = secondEndsProgram;
  if (requestEvent.load() == nullptr) {
    HANDLE created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (created == nullptr) win32::ThrowLastError();
    requestEvent = created;
  }
  if (!::SetConsoleCtrlHandler(OnControlEvent, TRUE)) win32::ThrowLastError();
}

int StopRequestCount() {
  return requests.load();
}

// Windows has no descriptor that becomes readable: the requests set an event instead
// (win32::StopRequestEvent), which the terminal waits for. An event loop must wait for that
// event.
int StopRequestDescriptor() {
  return -1;
}

void DrainStopRequestDescriptor() {
  if (HANDLE set = requestEvent.load(); set != nullptr) ::ResetEvent(set);
}

void* win32::StopRequestEvent() {
  return requestEvent.load();
}

}  // namespace tolvanex
