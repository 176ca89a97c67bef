#include "system/terminal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "system/stop_requests.h"

namespace tolvanex {
namespace {

using End = InputLine::End;

// Runs the check in a child process whose standard input is the read end of a pipe; the parent
// writes input to it and then acts (closes the pipe, or signals the child). The child's exit
// status is the number of the first check that failed, 0 when all held.
int InChild(const std::function<int()>& check, const std::string& input,
            const std::function<void(pid_t child, int pipeEnd)>& then) {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  pid_t child = ::fork();
  if (child == 0) {
    ::dup2(ends[0], STDIN_FILENO);
    ::close(ends[0]);
    ::close(ends[1]);
    ::_exit(check());
  }
  ::close(ends[0]);
  (void)!::write(ends[1], input.data(), input.size());
  then(child, ends[1]);
  ::close(ends[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

void CloseInput(pid_t, int pipeEnd) {
  ::close(pipeEnd);
}

TEST(ReadStandardInputLine, ReadsOneLineAndNotAByteMore) {
  int failed = InChild(
      [] {
        InputLine first = ReadStandardInputLine(StopRequestCount());
        if (first.How != End::Line || first.Text != "12\r") return 1;
        char rest[16] = {};
        if (::read(STDIN_FILENO, rest, sizeof rest) != 7 || std::string(rest) != "ab\nlast") {
          return 2;
        }
        return 0;
      },
      "12\r\nab\nlast", CloseInput);
  EXPECT_EQ(failed, 0);
}

TEST(ReadStandardInputLine, GivesALastLineWithoutItsEndThenTheEndOfInput) {
  int failed = InChild(
      [] {
        InputLine empty = ReadStandardInputLine(StopRequestCount());
        if (empty.How != End::Line || !empty.Text.empty()) return 1;
        InputLine last = ReadStandardInputLine(StopRequestCount());
        if (last.How != End::Line || last.Text != "last") return 2;
        if (ReadStandardInputLine(StopRequestCount()).How != End::EndOfInput) return 3;
        ::close(STDIN_FILENO);
        if (ReadStandardInputLine(StopRequestCount()).How != End::EndOfInput) return 4;
        return 0;
      },
      "\nlast", CloseInput);
  EXPECT_EQ(failed, 0);
}

TEST(ReadStandardInputLine, AStopRequestEndsTheWait) {
  int failed = InChild(
      [] {
        WatchStopRequests(false);
        int before = StopRequestCount();
        // The request comes while the wait goes on, after the bytes of an unfinished line, which
        // do not count as an answer.
        std::thread requester([] {
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
          ::kill(::getpid(), SIGTERM);
        });
        InputLine line = ReadStandardInputLine(before);
        requester.join();
        if (line.How != End::StopRequest || !line.Text.empty()) return 1;
        // An earlier request ends no later wait; any request does, when none are taken as seen.
        if (ReadStandardInputLine(0).How != End::StopRequest) return 2;
        return 0;
      },
      "51",
      [](pid_t child, int) {
        // The input stays open until the child has ended: only the request ends its wait.
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT);
      });
  EXPECT_EQ(failed, 0);
}

TEST(OpenMissingStandardStreams, KeepsTheirNumbersFromTheFilesOpenedLater) {
  int failed = InChild(
      [] {
        ::close(STDIN_FILENO);
        ::close(STDERR_FILENO);
        OpenMissingStandardStreams();
        if (::fcntl(STDIN_FILENO, F_GETFD) < 0 || ::fcntl(STDERR_FILENO, F_GETFD) < 0) return 1;
        int file = ::open("/dev/null", O_RDONLY);
        if (file <= STDERR_FILENO) return 2;
        if (ReadStandardInputLine(StopRequestCount()).How != End::EndOfInput) return 3;
        return 0;
      },
      "", CloseInput);
  EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace tolvanex
