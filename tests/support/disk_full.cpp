#include "tests/support/disk_full.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "system/path_syntax.h"

namespace tolvanex::testing {

namespace {

// The path with every separator written "/", so that a test's "post/23Jul14.pst" matches the
// program's "post\23Jul14.pst" on Windows.
std::string WithSlashes(std::string path) {
  std::replace_if(path.begin(), path.end(), IsPathSeparator, '/');
  return path;
}

}  // namespace

DiskFullAfter::DiskFullAfter(std::size_t bytesThatFit, std::string pathPrefix)
    : left_(bytesThatFit), prefix_(WithSlashes(std::move(pathPrefix))) {
  io::SetFaultHook([this](io::FileOperation operation, const std::string& path, std::size_t size) {
    io::Fault fault;
    if (operation != io::FileOperation::Write || !WithSlashes(path).starts_with(prefix_)) {
      return fault;
    }
    ++calls_;
    fault.BytesLetThrough = std::min(size, left_);
    left_ -= fault.BytesLetThrough;
    if (fault.BytesLetThrough < size) fault.Error = ENOSPC;
    return fault;
  });
}

DiskFullAfter::~DiskFullAfter() {
  io::ResetFaultHook();
}

FailingFiles::FailingFiles(Rule rule) {
  io::SetFaultHook(
      [rule = std::move(rule)](io::FileOperation operation, const std::string& path, std::size_t) {
        return io::Fault{rule(operation, path)};
      });
}

FailingFiles::~FailingFiles() {
  io::ResetFaultHook();
}

}  // namespace tolvanex::testing
