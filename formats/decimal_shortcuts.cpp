#include "formats/decimal_shortcuts.h"
#include "base/text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tolvanex {

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;

// Reads the digits and exponent of to_chars' scientific text ("-d.ddde+XX").
DecimalDigits FromScientific(const char* text, const char* end) {
  DecimalDigits result;
  const char* e = text;
  while (*e != 'e') ++e;
  for (const char* p = text; p < e; ++p) {
    if (IsDigit(*p)) result.Digits[result.Count++] = *p;
  }
  while (result.Count > 1 && result.Digits[result.Count - 1] == '0') --result.Count;
  const char* exponent = e + 1;
  if (*exponent == '+') ++exponent;
  std::from_chars(exponent, end, result.Exponent);
  return result;
}

constexpr std::uint64_t kFifteenDigitMantissa = 1000000000000000;

}  // namespace

bool ReadPlainDecimalInto(std::string_view field, double& result, KnownDigits* known) {
  if (known != nullptr) known->Magnitude = -1;
  // At most 18 digits with a sign and a point: the mantissa cannot overflow on the way.
  if (field.empty() || field.size() > 20) return false;
  const char* at = field.data();
  const char* end = at + field.size();
  bool negative = *at == '-';
  if (negative || *at == '+') ++at;
  std::uint64_t mantissa = 0;
  const char* first = at;
  for (; at != end && IsDigit(*at); ++at)
    mantissa = mantissa * 10 + static_cast<unsigned>(*at - '0');
  int digits = static_cast<int>(at - first);
  int decimals = 0;
  if (at != end) {
    if (*at != '.') return false;  // blanks, an exponent or trailing text
    const char* fraction = ++at;
    for (; at != end && IsDigit(*at); ++at) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*at - '0');
    }
    if (at != end) return false;
    decimals = static_cast<int>(at - fraction);
    digits += decimals;
  }
  if (digits == 0 || digits > 18 || mantissa >= kExactMantissa) return false;
  double value = static_cast<double>(mantissa);
  if (decimals > 0) value /= kPowersOfTen[decimals];
  if (known != nullptr && mantissa != 0 && mantissa < kFifteenDigitMantissa) {
    known->Magnitude = value;
    known->Text = field;
  }
  result = negative ? -value : value;
  return true;
}

DecimalDigits DigitsOfPlainDecimal(std::string_view text) {
  DecimalDigits result;
  int integerDigits = 0;  // from the first significant one
  int leadingZeros = 0;   // after the point, before the first significant digit
  bool point = false;
  for (char c : text) {
    if (c == '.') {
      point = true;
    } else if (IsDigit(c)) {
      if (result.Count > 0 || c != '0') {
        result.Digits[result.Count++] = c;
        if (!point) ++integerDigits;
      } else if (point) {
        ++leadingZeros;
      }
    }
  }
  result.Exponent = integerDigits > 0 ? integerDigits - 1 : -leadingZeros - 1;
  while (result.Count > 1 && result.Digits[result.Count - 1] == '0') --result.Count;
  return result;
}

KnownDigits DigitsFor(double magnitude) {
  KnownDigits known;
  known.Magnitude = magnitude;
  std::optional<DecimalDigits> shortDigits = ShortDigits(magnitude);
  known.Digits = shortDigits ? *shortDigits : RoundedDigits(magnitude);
  return known;
}

DecimalDigits RoundedDigits(double value) {
  char text[32];
  auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14);
  (void)error;
  return FromScientific(text, end);
}

std::optional<DecimalDigits> ShortDigits(double value) {
  // Subnormal values hold fewer digits than that, so a short decimal may be too short.
  if (value < std::numeric_limits<double>::min()) return std::nullopt;
  constexpr double kFifteenDigits = 1e15;
  for (int decimals = 0; decimals <= 22; ++decimals) {
    double scaled = value * kPowersOfTen[decimals];
    if (scaled >= kFifteenDigits) return std::nullopt;
    double whole = std::nearbyint(scaled);
    // The decimal whole / 10^decimals reads back as the value exactly when this one correctly
    // rounded division gives the value again; the product above may have been rounded, so only
    // this test decides.
    if (whole == 0 || whole / kPowersOfTen[decimals] != value) continue;
    auto mantissa = static_cast<std::uint64_t>(whole);
    DecimalDigits result;
    char reversed[20];
    int length = 0;
    for (; mantissa != 0; mantissa /= 10)
      reversed[length++] = static_cast<char>('0' + mantissa % 10);
    int skip = 0;
    while (skip < length - 1 && reversed[skip] == '0') ++skip;
    for (int i = length - 1; i >= skip; --i) result.Digits[result.Count++] = reversed[i];
    result.Exponent = length - 1 - decimals;
    return result;
  }
  return std::nullopt;
}

}  // namespace tolvanex
