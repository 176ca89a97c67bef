// The bytes of many small texts in a few large blocks that never move once allocated, so that
// nothing is copied as they grow and a text is found again by the position it was given. A text
// never straddles two blocks and reads back as one run of bytes; one longer than a block gets a
// block of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tolvanex {

class TextArena {
 public:
  // Positions fit in this many bits, so that a position and some lengths share a 64-bit word.
  static constexpr unsigned kPositionBits = 40;

  // Blocks of 2^blockShift bytes.
  explicit TextArena(unsigned blockShift = 22);

  // Room for size bytes, to be written through At; its position. Throws, and leaves the arena as
  // it was, when the memory cannot be had or the positions run out.
  std::uint64_t Allocate(std::size_t size);

  // The first byte at a position that Allocate gave for at least one byte.
  char* At(std::uint64_t position) { return units_[position >> shift_] + (position & mask_); }
  const char* At(std::uint64_t position) const {
    return units_[position >> shift_] + (position & mask_);
  }

  std::size_t BlockCount() const { return blocks_.size(); }

 private:
  unsigned shift_;
  std::uint64_t mask_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  // Where the bytes of each stretch of 2^shift positions lie: a block of its own for an ordinary
  // block, consecutive parts of one for a block made for a long text.
  std::vector<char*> units_;
  std::uint64_t next_ = 0;   // the position Allocate gives next
  std::uint64_t limit_ = 0;  // the end of the positions of the last block
};

}  // namespace tolvanex
