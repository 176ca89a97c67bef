#include "system/stop_requests.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

namespace tolvanex {
namespace {

using std::chrono::milliseconds;

TEST(StopRequests, AreCountedWithoutEndingTheProgramAndEndAWaitForThem) {
  EXPECT_EQ(StopRequestCount(), 0);
  EXPECT_FALSE(WaitForStopRequest(0, milliseconds(20)));  // none before watching starts
  WatchStopRequests(false);
  EXPECT_FALSE(WaitForStopRequest(0, milliseconds(20)));
  ::raise(SIGINT);
  ::raise(SIGTERM);
  ::raise(SIGHUP);
  EXPECT_EQ(StopRequestCount(), 3);
  // Requests already counted end a wait at once; those seen end none.
  auto before = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitForStopRequest(2, milliseconds(10000)));
  EXPECT_LT(std::chrono::steady_clock::now() - before, milliseconds(5000));
  EXPECT_FALSE(WaitForStopRequest(3, milliseconds(20)));
}

// Each of several threads waiting at once is woken by the one request, more of them than have a
// wake-up of their own too.
TEST(StopRequests, WakeEveryThreadThatWaits) {
  WatchStopRequests(false);
  int seen = StopRequestCount();
  constexpr int kWaiters = 6;
  std::vector<int> woken(kWaiters, 0);
  std::vector<std::thread> waiters;
  for (int i = 0; i < kWaiters; ++i) {
    waiters.emplace_back(
        [&woken, i, seen] { woken[i] = WaitForStopRequest(seen, milliseconds(10000)) ? 1 : 0; });
  }
  std::this_thread::sleep_for(milliseconds(100));
  auto before = std::chrono::steady_clock::now();
  ::raise(SIGTERM);
  for (std::thread& waiter : waiters) waiter.join();
  EXPECT_LT(std::chrono::steady_clock::now() - before, milliseconds(5000));
  EXPECT_EQ(woken, std::vector<int>(kWaiters, 1));
}

TEST(StopRequests, ASecondRequestEndsTheProgramWhenAskedTo) {
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    WatchStopRequests(true);
    ::raise(SIGTERM);
    if (StopRequestCount() != 1) ::_exit(3);
    ::raise(SIGTERM);
    ::_exit(4);  // not reached: the second request ends the program
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

}  // namespace
}  // namespace tolvanex
