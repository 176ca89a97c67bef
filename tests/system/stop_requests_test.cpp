#include "system/stop_requests.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tolvanex {
namespace {

bool Readable(int fd) {
  pollfd watched{fd, POLLIN, 0};
  return ::poll(&watched, 1, 0) == 1;
}

TEST(StopRequests, AreCountedAndSignalledWithoutEndingTheProgram) {
  EXPECT_EQ(StopRequestCount(), 0);
  EXPECT_EQ(StopRequestDescriptor(), -1);
  WatchStopRequests(false);
  ASSERT_GE(StopRequestDescriptor(), 0);
  EXPECT_FALSE(Readable(StopRequestDescriptor()));
  ::raise(SIGINT);
  ::raise(SIGTERM);
  ::raise(SIGHUP);
  EXPECT_EQ(StopRequestCount(), 3);
  EXPECT_TRUE(Readable(StopRequestDescriptor()));
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
