#include "ui/stop_request_watcher.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "system/stop_requests.h"

namespace tolvanex {
namespace {

using std::chrono::milliseconds;

bool CallsReach(const std::atomic<int>& calls, int wanted) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (calls.load() < wanted) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return true;
}

TEST(StopRequestWatcher, CallsForARequestBeforeItAndEachLaterOneUntilItGoes) {
  WatchStopRequests(false);
  ::raise(SIGTERM);  // before the window is up
  std::atomic<int> calls{0};
  std::thread::id caller;
  {
    StopRequestWatcher watcher([&] {
      caller = std::this_thread::get_id();
      ++calls;
    });
    ASSERT_TRUE(CallsReach(calls, 1));
    std::this_thread::sleep_for(milliseconds(100));
    EXPECT_EQ(calls.load(), 1);  // a request is told once
    ::raise(SIGHUP);
    ASSERT_TRUE(CallsReach(calls, 2));
  }
  EXPECT_NE(caller, std::this_thread::get_id());
  ::raise(SIGINT);
  std::this_thread::sleep_for(milliseconds(100));
  EXPECT_EQ(calls.load(), 2);
}

TEST(StopRequestWatcher, EndsPromptlyWhenItGoes) {
  WatchStopRequests(false);
  auto going = std::chrono::steady_clock::now();
  {
    StopRequestWatcher watcher([] {});
  }
  EXPECT_LT(std::chrono::steady_clock::now() - going, milliseconds(1000));
}

}  // namespace
}  // namespace tolvanex
