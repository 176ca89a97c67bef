// Faults of the file layer for tests, through its fault hook. The hook is taken away again when
// the object ends.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "system/file_io.h"

namespace tolvanex::testing {

// A full disk: writes fail with ENOSPC once a number of bytes has gone through, counted over all
// files or, with a path prefix, over the files under it (the others are written as usual). Paths
// are compared with "/" for every separator.
class DiskFullAfter {
 public:
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

// Any fault: the rule says, for each operation on a file, which error it fails with (0: none).
class FailingFiles {
 public:
  using Rule = std::function<int(io::FileOperation operation, const std::string& path)>;
  explicit FailingFiles(Rule rule);
  FailingFiles(const FailingFiles&) = delete;
  FailingFiles& operator=(const FailingFiles&) = delete;
  ~FailingFiles();
};

}  // namespace tolvanex::testing
