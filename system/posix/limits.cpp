#include "system/limits.h"

#include <sys/resource.h>

namespace tolvanex {

std::size_t OpenFileLimit() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return 1024;
  if (limit.rlim_cur < limit.rlim_max) {
    rlimit raised = limit;
    raised.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) limit = raised;
  }
  return limit.rlim_cur == RLIM_INFINITY ? static_cast<std::size_t>(1) << 20
                                         : static_cast<std::size_t>(limit.rlim_cur);
}

}  // namespace tolvanex
