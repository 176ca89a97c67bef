// What the system lets this process have.
#pragma once

#include <cstddef>

namespace tolvanex {

// How many files the process may have open at once. The first call raises the limit as far as
// the system allows.
std::size_t OpenFileLimit();

}  // namespace tolvanex
