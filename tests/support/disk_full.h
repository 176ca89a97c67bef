// A full disk, through the file layer's write hook: writes fail with ENOSPC once a number of
// bytes has gone through. The system's own write is put back when the object ends.
#pragma once

#include <cstddef>
#include <string>

namespace tolvanex::testing {

// The path a file descriptor of this process is open on.
std::string PathOfDescriptor(int fd);

class DiskFullAfter {
 public:
  // Every file fills up after bytesThatFit bytes, counted over all of them; with a path prefix
  // only the files under it do, and the others are written as usual.
  explicit DiskFullAfter(std::size_t bytesThatFit, std::string pathPrefix = "");
  DiskFullAfter(const DiskFullAfter&) = delete;
  DiskFullAfter& operator=(const DiskFullAfter&) = delete;
  ~DiskFullAfter();

  // Writes that reached the hook for the files it fills.
  int Calls() const { return calls_; }
  std::size_t BytesLeft() const { return left_; }

 private:
  std::size_t left_;
  std::string prefix_;
  int calls_ = 0;
};

}  // namespace tolvanex::testing
