#include "formats/locale_number.h"
#include "base/text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tolvanex {

namespace {

// Far beyond any exponent a double can take; larger ones are held at it.
constexpr long long kExponentLimit = 1'000'000'000;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

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
  // Where the first significant digit stands, in powers of ten: it tells a value too small for a
  // double from one too large when from_chars refuses both alike.
  long long significantIntegerDigits = 0, fractionLeadingZeros = 0, exponent = 0;
  while (i < end) {
    if (IsDigit(text[i])) {
      if (significantIntegerDigits > 0 || text[i] != '0') ++significantIntegerDigits;
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
    bool significant = significantIntegerDigits > 0;
    while (i < end && IsDigit(text[i])) {
      significant = significant || text[i] != '0';
      if (!significant) ++fractionLeadingZeros;
      clean += text[i++];
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  if (i < end && (text[i] == 'E' || text[i] == 'e')) {
    clean += 'e';
    ++i;
    bool negativeExponent = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      clean += text[i++];
    }
    bool exponentDigits = false;
    while (i < end && IsDigit(text[i])) {
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - '0');
      clean += text[i++];
      exponentDigits = true;
    }
    if (!exponentDigits) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != end) return std::nullopt;

  const char* first = clean.data() + (clean[0] == '+' ? 1 : 0);
  double value = 0;
  auto [rest, error] = std::from_chars(first, clean.data() + clean.size(), value);
  if (rest != clean.data() + clean.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Still a number, only beyond a double: a tiny one is zero, a huge one infinite, so that a
    // caller's range check refuses it rather than taking it for text.
    long long power = significantIntegerDigits > 0 ? significantIntegerDigits - 1 + exponent
                                                   : exponent - fractionLeadingZeros - 1;
    bool negative = clean[0] == '-';
    if (power < 0) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  if (error != std::errc()) return std::nullopt;
  return value;
}

double RoundHalfEven(double value) {
  return std::nearbyint(value);
}

}  // namespace tolvanex
