#include "tests/support/disk_full.h"

#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "system/file_io.h"

namespace tolvanex::testing {

std::string PathOfDescriptor(int fd) {
  char path[PATH_MAX];
  ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

DiskFullAfter::DiskFullAfter(std::size_t bytesThatFit, std::string pathPrefix)
    : left_(bytesThatFit), prefix_(std::move(pathPrefix)) {
  io::CurrentHooks().Write = [this](int fd, const void* data, std::size_t size) -> ssize_t {
    if (!prefix_.empty() && !PathOfDescriptor(fd).starts_with(prefix_)) {
      return ::write(fd, data, size);
    }
    ++calls_;
    if (left_ == 0) {
      errno = ENOSPC;
      return -1;
    }
    std::size_t n = std::min(size, left_);
    left_ -= n;
    return ::write(fd, data, n);
  };
}

DiskFullAfter::~DiskFullAfter() {
  io::ResetHooks();
}

}  // namespace tolvanex::testing
