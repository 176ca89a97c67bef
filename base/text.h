// Small text helpers that every layer shares. Letter case is folded for the ASCII letters only:
// the files are 8-bit code page text, and a mapping that depended on the locale would make the
// same file mean different things on different machines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanex {

inline char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Equal, ASCII letters compared without regard to case; every other byte must be equal.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool EndsWithIgnoringCase(std::string_view text, std::string_view tail);
// Ordinal comparison of the bytes as unsigned, ASCII letters folded to lower case.
bool LessIgnoringCase(std::string_view a, std::string_view b);

// The text without the blanks (spaces, not tabs) around it.
std::string_view TrimBlanks(std::string_view text);

// A whole number in decimal digits, with a "-" in front when negative.
std::string DecimalText(std::int64_t value);
// The same with at least minimumDigits digits, zero-padded after any sign (7 and 3 give "007").
std::string DecimalText(std::int64_t value, int minimumDigits);
void AppendDecimal(std::string& out, std::int64_t value, int minimumDigits = 1);

}  // namespace tolvanex
