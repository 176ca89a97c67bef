// What the system lets this process have.
#pragma once

#include <cstddef>

namespace tolvanex {

// How many files the process may have open at once. Where the system sets a limit that the
// process may raise (RLIMIT_NOFILE on POSIX), the first call raises it as far as allowed; where
// only memory bounds them (Windows), it is a number that a run can use without weighing on the
// system.
std::size_t OpenFileLimit();

}  // namespace tolvanex
