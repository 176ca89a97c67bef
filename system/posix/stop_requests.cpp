#include "system/stop_requests.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <thread>

#include "system/file_io.h"
#include "system/posix/stop_request_wakeup.h"

namespace tolvanex {

namespace {

constexpr int kWatched[] = {SIGINT, SIGTERM, SIGHUP};

// As many waiters as wait at the same time in one program (a window's watcher, a prompt), with
// room to spare; one more looks at the count now and then instead.
constexpr int kWakeups = 4;

// A pipe that the handler writes a byte into at each request, and whether a waiter has it.
struct WakeupPipe {
  std::atomic<int> ReadEnd{-1};
  std::atomic<int> WriteEnd{-1};
  std::atomic<bool> Taken{false};
};

std::atomic<int> requests{0};
bool secondEnds = false;
WakeupPipe wakeups[kWakeups];

// Only async-signal-safe calls here: atomic counters, write and, for a second request, the
// system's own handling of the signal. A pipe that is full already wakes its waiter.
void OnStopSignal(int signal) {
  int savedErrno = errno;
  int before = requests.fetch_add(1);
  for (WakeupPipe& pipe : wakeups) {
    if (int end = pipe.WriteEnd.load(); end >= 0) {
      char byte = 1;
      [[maybe_unused]] auto written = ::write(end, &byte, 1);
    }
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

// The pipes live as long as the program: the handler may write to them at any moment.
void MakeWakeupPipes() {
  for (WakeupPipe& pipe : wakeups) {
    if (pipe.ReadEnd.load() >= 0) continue;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) io::ThrowSystemError(errno);
    int readEnd = AboveStandardStreams(ends[0]);
    int writeEnd = AboveStandardStreams(ends[1]);
    if (readEnd < 0 || writeEnd < 0) io::ThrowSystemError(errno);
    pipe.ReadEnd = readEnd;
    pipe.WriteEnd = writeEnd;
  }
}

}  // namespace

void WatchStopRequests(bool secondEndsProgram) {
  secondEnds = secondEndsProgram;
  // The handlers first: a request that comes before the pipes are there is counted all the same.
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
  MakeWakeupPipes();
}

int StopRequestCount() {
  return requests.load();
}

bool WaitForStopRequest(int seenSoFar, std::chrono::milliseconds timeout) {
  using std::chrono::milliseconds;
  const auto start = std::chrono::steady_clock::now();
  posix::StopRequestWakeup wakeup;
  for (;;) {
    if (StopRequestCount() > seenSoFar) return true;
    auto waited =
        std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
    if (waited >= timeout) return false;
    milliseconds left = std::min(timeout - waited, milliseconds(INT_MAX));
    if (wakeup.Descriptor() < 0) left = std::min(left, posix::kStopRequestLookInterval);
    pollfd watched{wakeup.Descriptor(), POLLIN, 0};
    // A failure other than a signal cannot be waited out: the next round looks again.
    if (::poll(&watched, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
      std::this_thread::sleep_for(std::min(left, posix::kStopRequestLookInterval));
    }
    wakeup.Drain();
  }
}

namespace posix {

StopRequestWakeup::StopRequestWakeup() {
  for (int slot = 0; slot < kWakeups; ++slot) {
    if (wakeups[slot].ReadEnd.load() < 0) continue;
    bool free = false;
    if (wakeups[slot].Taken.compare_exchange_strong(free, true)) {
      slot_ = slot;
      Drain();
      return;
    }
  }
}

StopRequestWakeup::~StopRequestWakeup() {
  if (slot_ >= 0) wakeups[slot_].Taken = false;
}

int StopRequestWakeup::Descriptor() const {
  return slot_ >= 0 ? wakeups[slot_].ReadEnd.load() : -1;
}

void StopRequestWakeup::Drain() const {
  if (slot_ < 0) return;
  char bytes[64];
  // The pipe does not block: the loop ends when it is empty.
  while (::read(wakeups[slot_].ReadEnd.load(), bytes, sizeof bytes) > 0) {
  }
}

}  // namespace posix

}  // namespace tolvanex
