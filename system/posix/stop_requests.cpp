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

}  // namespace

void WatchStopRequests(bool secondEndsProgram) {
  secondEnds = secondEndsProgram;
  if (pipeEnds[0] < 0) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) io::ThrowSystemError(errno);
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // System calls go on after the handler: a request is acted on between lines, not in the
  // middle of a write.
  action.sa_flags = SA_RESTART;
  for (int signal : kWatched) {
    if (::sigaction(signal, &action, nullptr) != 0) io::ThrowSystemError(errno);
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
