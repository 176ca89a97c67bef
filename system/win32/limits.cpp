#include "system/limits.h"

namespace tolvanex {

// Windows sets no limit per process on open files that could be raised: a process may hold some
// sixteen million handles, and only memory bounds them. The number is one that a run can use
// without the files' buffers and handles weighing on the system.
std::size_t OpenFileLimit() {
  return 8192;
}

}  // namespace tolvanex
