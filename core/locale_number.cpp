#include "core/locale_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tolvanex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWith(std::string_view text, std::size_t at, std::string_view part) {
  return !part.empty() && text.substr(at, part.size()) == part;
}

}  // namespace

std::optional<double> ReadLocaleNumber(std::string_view text, const RegionalSettings& regional) {
  std::size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  text = text.substr(0, end);

  std::string clean;  // the number in the form from_chars reads
  if (i < end && (text[i] == '+' || text[i] == '-')) clean += text[i++];
  bool digits = false;
  while (i < end) {
    if (IsDigit(text[i])) {
      clean += text[i++];
      digits = true;
    } else if (digits && StartsWith(text, i, regional.GroupSeparator) &&
               regional.GroupSeparator != regional.DecimalSeparator) {
      i += regional.GroupSeparator.size();
    } else {
      break;
    }
  }
  if (StartsWith(text, i, regional.DecimalSeparator)) {
    i += regional.DecimalSeparator.size();
    clean += '.';
    while (i < end && IsDigit(text[i])) {
      clean += text[i++];
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  if (i < end && (text[i] == 'E' || text[i] == 'e')) {
    clean += 'e';
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) clean += text[i++];
    bool exponentDigits = false;
    while (i < end && IsDigit(text[i])) {
      clean += text[i++];
      exponentDigits = true;
    }
    if (!exponentDigits) return std::nullopt;
  }
  if (i != end) return std::nullopt;

  const char* first = clean.data() + (clean[0] == '+' ? 1 : 0);
  double value = 0;
  auto [rest, error] = std::from_chars(first, clean.data() + clean.size(), value);
  if (error != std::errc() || rest != clean.data() + clean.size()) return std::nullopt;
  return value;
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace tolvanex
