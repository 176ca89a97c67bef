#include "formats/line_splitter.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace tolvanex {

namespace {

constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7F;
constexpr std::uint64_t kCommas = 0x2C2C2C2C2C2C2C2C;

// The high bit of every byte of the word that is a comma, and no other bit: no carry crosses
// from one byte into the next, so each byte is told on its own.
inline std::uint64_t CommaBytes(std::uint64_t word) {
  std::uint64_t x = word ^ kCommas;  // a comma's byte is now zero
  return ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits);
}

}  // namespace

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  // Eight bytes at a time: the fields are short and their lengths vary, and a test of every byte
  // mispredicts at almost every comma.
  static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
  fields.clear();
  const char* data = line.data();
  const std::size_t size = line.size();
  std::size_t start = 0;
  std::size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + at, 8);
    for (std::uint64_t commas = CommaBytes(word); commas != 0; commas &= commas - 1) {
      std::size_t comma = at + static_cast<std::size_t>(std::countr_zero(commas)) / 8;
      fields.emplace_back(data + start, comma - start);
      start = comma + 1;
    }
  }
  for (; at < size; ++at) {
    if (data[at] == ',') {
      fields.emplace_back(data + start, at - start);
      start = at + 1;
    }
  }
  fields.emplace_back(data + start, size - start);
}

}  // namespace tolvanex
