#include "model/text_arena.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tolvanex {

TextArena::TextArena(unsigned blockShift)
    : shift_(blockShift), mask_((std::uint64_t{1} << blockShift) - 1) {}

std::uint64_t TextArena::Allocate(std::size_t size) {
  if (size <= limit_ - next_) return std::exchange(next_, next_ + size);

  // A new block, its positions starting at the next whole stretch.
  std::uint64_t unit = mask_ + 1;
  std::uint64_t bytes = std::max<std::uint64_t>(size, unit);
  std::uint64_t units = (bytes + mask_) >> shift_;
  std::uint64_t start = static_cast<std::uint64_t>(units_.size()) << shift_;
  if (start + bytes > (std::uint64_t{1} << kPositionBits)) {
    throw std::length_error("The lookup table's text outgrows its positions");
  }
  // Everything that may throw comes before the first change.
  units_.reserve(units_.size() + units);
  blocks_.reserve(blocks_.size() + 1);
  // Not value-initialised: pages that no text reaches are never touched.
  std::unique_ptr<char[]> block(new char[static_cast<std::size_t>(bytes)]);
  for (std::uint64_t i = 0; i < units; ++i) units_.push_back(block.get() + (i << shift_));
  blocks_.push_back(std::move(block));
  next_ = start + size;
  limit_ = start + bytes;
  return start;
}

}  // namespace tolvanex
