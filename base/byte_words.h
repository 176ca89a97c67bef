// Eight bytes of text as one 64-bit word, the first byte the lowest, and tests of all eight bytes
// at once: for loops over text whose stops (commas, the end of a run of digits) come every few
// bytes, where a test of every byte mispredicts at almost every stop.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tolvanex {

static_assert(std::endian::native == std::endian::little, "the first byte of a word is its lowest");

inline constexpr std::uint64_t kHighBitOfEveryByte = 0x8080808080808080;
inline constexpr std::uint64_t kEveryByteOne = 0x0101010101010101;

// The bytes from at on, as many as the word holds.
template <typename Word = std::uint64_t>
inline std::uint64_t LoadWord(const char* at) {
  Word word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// The high bit of every byte of the word that is zero, and no other bit. No carry crosses from
// one byte into the next, so each byte is told on its own.
inline std::uint64_t ZeroBytes(std::uint64_t word) {
  constexpr std::uint64_t kLowSevenBits = ~kHighBitOfEveryByte;
  return ~(((word & kLowSevenBits) + kLowSevenBits) | word | kLowSevenBits);
}

// The high bit of every byte of the word that is c, and no other bit.
inline std::uint64_t BytesEqualTo(std::uint64_t word, char c) {
  return ZeroBytes(word ^ (kEveryByteOne * static_cast<unsigned char>(c)));
}

// The place in the word of the byte whose high bit is the lowest one set.
inline std::size_t FirstMarkedByte(std::uint64_t marks) {
  return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
}

}  // namespace tolvanex
