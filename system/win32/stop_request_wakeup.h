// How a wait of the Windows side watches for stop requests beside other handles (the console's
// input): with an event of the waiter's own that the requests set. Each waiter has its own, so
// that one taking a wake-up never takes it from another.
#pragma once

#include <windows.h>

namespace tolvanex::win32 {

class StopRequestWakeup {
 public:
  // An event set by every request from now on, for as long as the object lives.
  StopRequestWakeup();
  StopRequestWakeup(const StopRequestWakeup&) = delete;
  StopRequestWakeup& operator=(const StopRequestWakeup&) = delete;
  ~StopRequestWakeup();

  // Set at a request, and reset by the wait that it ends; null when the system would not make
  // one, and then the waiter has to look at the count now and then.
  HANDLE Event() const { return event_; }

 private:
  HANDLE event_ = nullptr;
};

}  // namespace tolvanex::win32
