#include "system/terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "system/file_io.h"
#include "system/posix/stop_request_wakeup.h"
#include "system/standard_input.h"
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

namespace standard_input {

std::optional<InputLine> ReadWholeLine(int) {
  return std::nullopt;
}

bool WaitForByte(int stopRequestsSeen) {
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

ByteRead ReadByte(char& byte) {
  ssize_t n = ::read(STDIN_FILENO, &byte, 1);
  if (n < 0 && errno == EINTR) return ByteRead::Interrupted;
  if (n < 0 && errno != EBADF) io::ThrowSystemError(errno);
  return n > 0 ? ByteRead::Byte : ByteRead::EndOfInput;
}

}  // namespace standard_input

}  // namespace tolvanex
