#include "base/text.h"

#include <algorithm>
#include <charconv>

namespace tolvanex {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  }
  return true;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() &&
         StartsWithIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

std::string_view TrimBlanks(std::string_view text) {
  auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

void AppendDecimal(std::string& out, std::int64_t value, int minimumDigits) {
  char digits[24];
  std::uint64_t magnitude =
      value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : std::uint64_t(value);
  char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  if (value < 0) out += '-';
  for (auto n = end - digits; n < minimumDigits; ++n) out += '0';
  out.append(digits, static_cast<std::size_t>(end - digits));
}

std::string DecimalText(std::int64_t value) {
  std::string text;
  AppendDecimal(text, value);
  return text;
}

std::string DecimalText(std::int64_t value, int minimumDigits) {
  std::string text;
  AppendDecimal(text, value, minimumDigits);
  return text;
}

}  // namespace tolvanex
