// Stop requests on Windows: Ctrl-C, Ctrl-Break, the console window closed and the system shutting
// down, as the console reports them to a handler on a thread of its own.
#include "system/stop_requests.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "system/win32/stop_request_wakeup.h"
#include "system/win32/win32_error.h"

namespace tolvanex {

namespace {

// What a process ended by Ctrl-C reports, as the system's own handling would end it.
constexpr UINT kEndedByControlC = 0xC000013AU;
// How often a waiter without an event looks at the count.
constexpr DWORD kLookEveryMilliseconds = 20;

std::atomic<int> requests{0};
std::atomic<bool> secondEnds{false};
// The events of the waiters, each set at every request. The count goes up under the same lock,
// so that a waiter that looks at the count after its event is listed cannot miss a request.
std::mutex waitersLock;
std::vector<HANDLE> waiters;

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
  int before = 0;
  {
    std::lock_guard<std::mutex> lock(waitersLock);
    before = requests.fetch_add(1);
    for (HANDLE waiter : waiters) ::SetEvent(waiter);
  }
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
  if (!::SetConsoleCtrlHandler(OnControlEvent, TRUE)) win32::ThrowLastError();
}

int StopRequestCount() {
  return requests.load();
}

bool WaitForStopRequest(int seenSoFar, std::chrono::milliseconds timeout) {
  using std::chrono::milliseconds;
  const auto start = std::chrono::steady_clock::now();
  win32::StopRequestWakeup wakeup;
  for (;;) {
    if (StopRequestCount() > seenSoFar) return true;
    auto waited =
        std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
    if (waited >= timeout) return false;
    // INFINITE is one more than the longest wait.
    auto left = static_cast<DWORD>(std::min<long long>((timeout - waited).count(), INFINITE - 1));
    if (wakeup.Event() == nullptr) {
      ::Sleep(std::min(left, kLookEveryMilliseconds));
    } else {
      ::WaitForSingleObject(wakeup.Event(), left);
    }
  }
}

namespace win32 {

StopRequestWakeup::StopRequestWakeup() {
  // Reset by the wait that it wakes.
  event_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (event_ == nullptr) return;
  try {
    std::lock_guard<std::mutex> lock(waitersLock);
    waiters.push_back(event_);
  } catch (...) {
    // Without a place in the list the waiter looks at the count now and then instead.
    ::CloseHandle(event_);
    event_ = nullptr;
  }
}

StopRequestWakeup::~StopRequestWakeup() {
  if (event_ == nullptr) return;
  {
    std::lock_guard<std::mutex> lock(waitersLock);
    waiters.erase(std::find(waiters.begin(), waiters.end(), event_));
  }
  ::CloseHandle(event_);
}

}  // namespace win32

}  // namespace tolvanex
