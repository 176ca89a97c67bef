#include "ui/stop_request_watcher.h"

#include <utility>

#include "system/stop_requests.h"

namespace tolvanex {

StopRequestWatcher::StopRequestWatcher(std::function<void()> onRequest)
    : onRequest_(std::move(onRequest)), thread_([this] { Watch(); }) {}

StopRequestWatcher::~StopRequestWatcher() {
  ending_ = true;
  thread_.join();
}

void StopRequestWatcher::Watch() {
  int seen = 0;
  while (!ending_) {
    if (!WaitForStopRequest(seen, kEndWithin)) continue;
    // Requests that come together close the window once.
    seen = StopRequestCount();
    onRequest_();
  }
}

}  // namespace tolvanex
