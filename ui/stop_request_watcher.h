// Requests from outside to stop (system/stop_requests.h), watched for a window on a thread of
// its own, so that the window's loop waits for its own events alone. Each new request calls
// onRequest on the watching thread, which hands the close over to the window's thread. A request
// that came before the watch started counts as new: the window closes as soon as it is up.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace tolvanex {

class StopRequestWatcher {
 public:
  // How long the watch may take to end once the watcher goes.
  static constexpr std::chrono::milliseconds kEndWithin{50};

  explicit StopRequestWatcher(std::function<void()> onRequest);
  StopRequestWatcher(const StopRequestWatcher&) = delete;
  StopRequestWatcher& operator=(const StopRequestWatcher&) = delete;
  // Ends the watch and waits for its thread: onRequest is not called afterwards.
  ~StopRequestWatcher();

 private:
  void Watch();

  std::function<void()> onRequest_;
  std::atomic<bool> ending_{false};
  std::thread thread_;
};

}  // namespace tolvanex
