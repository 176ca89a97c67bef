// How a wait of the POSIX side watches for stop requests beside other descriptors (the wait for
// standard input): with a descriptor of the waiter's own that becomes readable at each request.
// Each waiter has its own, so that one reading it empty never takes a wake-up from another.
#pragma once

#include <chrono>

namespace tolvanex::posix {

// How often a waiter without a descriptor of its own looks at the count of requests.
inline constexpr std::chrono::milliseconds kStopRequestLookInterval{20};

class StopRequestWakeup {
 public:
  // Takes a free descriptor for as long as the object lives, read empty of earlier requests;
  // none before watching starts, or when every one is taken.
  StopRequestWakeup();
  StopRequestWakeup(const StopRequestWakeup&) = delete;
  StopRequestWakeup& operator=(const StopRequestWakeup&) = delete;
  ~StopRequestWakeup();

  // Readable from the first request after the last Drain; -1 when there is none, and then the
  // waiter has to look at the count every kStopRequestLookInterval.
  int Descriptor() const;
  // Reads the descriptor empty, without waiting, so that only a new request makes it readable.
  void Drain() const;

 private:
  int slot_ = -1;
};

}  // namespace tolvanex::posix
