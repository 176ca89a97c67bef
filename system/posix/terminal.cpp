#include "system/terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "system/file_io.h"
#include "system/posix/stop_request_wakeup.h"
#include "system/stop_requests.h"

namespace tolvanex {

namespace {

int DescriptorOf(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input:
      return STDIN_FILENO;
    case StandardStream::Output:
      return STDOUT_FILENO;
    case StandardStream::Error:
      return STDERR_FILENO;
  }
  return -1;
}

// Waits until standard input has a byte (or its end) or a new stop request comes; true for
// input.
bool WaitForInput(int stopRequestsSeen) {
  posix::StopRequestWakeup wakeup;
  // Without a descriptor of its own, the wait looks at the count now and then.
  int timeout =
      wakeup.Descriptor() >= 0 ? -1 : static_cast<int>(posix::kStopRequestLookInterval.count());
  for (;;) {
    if (StopRequestCount() > stopRequestsSeen) return false;
    // Without a descriptor of the requests, the second entry's -1 is left out by poll itself.
    pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {wakeup.Descriptor(), POLLIN, 0}};
    int ready = ::poll(watched, 2, timeout);
    if (ready < 0) {
      if (errno == EINTR) continue;
      io::ThrowSystemError(errno);
    }
    if (watched[1].revents != 0) wakeup.Drain();
    // A request that came with the input goes first: its signal may land just as poll returns.
    if (StopRequestCount() > stopRequestsSeen) return false;
    // Readable, at its end, hung up or closed: the read tells which.
    if (watched[0].revents != 0) return true;
  }
}

}  // namespace

void OpenMissingStandardStreams() {
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    // The lowest free number is the one that is closed.
    int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened < 0) io::ThrowSystemError(errno);
    if (opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
}

void TakeClosedPipesAsWriteErrors() {
  ::signal(SIGPIPE, SIG_IGN);
}

bool IsTerminal(StandardStream stream) {
  return ::isatty(DescriptorOf(stream)) == 1;
}

int TerminalColumns(StandardStream stream) {
  winsize size{};
  if (::ioctl(DescriptorOf(stream), TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

InputLine ReadStandardInputLine(int stopRequestsSeen) {
  InputLine line;
  // One byte at a time: the answer is a short line, and no byte after it may be taken from
  // whatever else reads this input.
  for (;;) {
    if (!WaitForInput(stopRequestsSeen)) {
      line.How = InputLine::End::StopRequest;
      line.Text.clear();
      return line;
    }
    char byte = 0;
    ssize_t n = ::read(STDIN_FILENO, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EBADF) io::ThrowSystemError(errno);
    if (n <= 0) {
      line.How = line.Text.empty() ? InputLine::End::EndOfInput : InputLine::End::Line;
      return line;
    }
    if (byte == '\n') {
      line.How = InputLine::End::Line;
      return line;
    }
    line.Text += byte;
  }
}

}  // namespace tolvanex
