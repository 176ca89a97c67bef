#include "system/stop_requests.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "system/file_io.h"

namespace tolvanex {

namespace {

constexpr int kWatched[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> requests{0};
bool secondEnds = false;
int pipeEnds[2] = {-1, -1};

// Only async-signal-safe calls here: an atomic counter, write and, for a second request, the
// system's own handling of the signal.
void OnStopSignal(int signal) {
  int savedErrno = errno;
  int before = requests.fetch_add(1);
  if (pipeEnds[1] >= 0) {
    char byte = 1;
    [[maybe_unused]] auto written = ::write(pipeEnds[1], &byte, 1);
  }
  if (before > 0 && secondEnds) {
    ::signal(signal, SIG_DFL);
    ::raise(signal);
  }
  errno = savedErrno;
}

// A descriptor moved above the standard streams, which may still be closed when watching starts:
// the program opens those on /dev/null only afterwards.
int AboveStandardStreams(int fd) {
  if (fd > STDERR_FILENO) return fd;
  int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  ::close(fd);
  return moved;
}

}  // namespace

void WatchStopRequests(bool secondEndsProgram) {
  secondEnds = secondEndsProgram;
  // The handlers first: a request that comes before the pipe is there is counted all the same.
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // System calls go on after the handler: a request is acted on between lines, not in the
  // middle of a write.
  action.sa_flags = SA_RESTART;
  sigset_t watched;
  sigemptyset(&watched);
  for (int signal : kWatched) {
    if (::sigaction(signal, &action, nullptr) != 0) io::ThrowSystemError(errno);
    sigaddset(&watched, signal);
  }
  // A program started with these signals blocked (as a job runner may start it) takes them all
  // the same; one that came before this point, and waited, is taken now.
  ::sigprocmask(SIG_UNBLOCK, &watched, nullptr);
  if (pipeEnds[0] < 0) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) io::ThrowSystemError(errno);
    pipeEnds[0] = AboveStandardStreams(ends[0]);
    pipeEnds[1] = AboveStandardStreams(ends[1]);
    if (pipeEnds[0] < 0 || pipeEnds[1] < 0) io::ThrowSystemError(errno);
  }
}

int StopRequestCount() {
  return requests.load();
}

int StopRequestDescriptor() {
  return pipeEnds[0];
}

void DrainStopRequestDescriptor() {
  if (pipeEnds[0] < 0) return;
  char bytes[64];
  // The pipe does not block: the loop ends when it is empty.
  while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
}

}  // namespace tolvanex
