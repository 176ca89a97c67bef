#include "formats/decimal_shortcuts.h"
#include "base/byte_words.h"
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

constexpr std::uint64_t kWholePowersOfTen[] = {1,      10,      100,      1000,     10000,
                                               100000, 1000000, 10000000, 100000000};

// The high bit of every byte of the word that is not an ASCII digit, and no other bit.
inline std::uint64_t NonDigitBytes(std::uint64_t word) {
  constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
  constexpr std::uint64_t kLowNibbles = 0x0F0F0F0F0F0F0F0F;
  // Zero in the bytes of the form 0x3N with N at most 9.
  std::uint64_t off = ((word & kHighNibbles) ^ (kEveryByteOne * '0')) |
                      (((word & kLowNibbles) + kEveryByteOne * 6) & kHighNibbles);
  return ZeroBytes(off) ^ kHighBitOfEveryByte;
}

// The number that eight digit values make, one a byte, the first and most significant in the
// lowest.
inline std::uint64_t EightDigitsValue(std::uint64_t digits) {
  digits = digits * 10 + (digits >> 8);
  return (((digits & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) +
          (((digits >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >>
         32;
}

// The first eight bytes from at on, or all there are with zeros after them, which are no
// digits. Read in at most two loads of the bytes themselves, overlapping where they must: a
// copy of a part through memory would stall the load of the whole.
inline std::uint64_t LoadUpToEight(const char* at, std::size_t size) {
  if (size >= 8) return LoadWord(at);
  if (size >= 4)
    return LoadWord<std::uint32_t>(at) | LoadWord<std::uint32_t>(at + size - 4) << 8 * (size - 4);
  if (size >= 2)
    return LoadWord<std::uint16_t>(at) | LoadWord<std::uint16_t>(at + size - 2) << 8 * (size - 2);
  return size == 1 ? static_cast<unsigned char>(*at) : 0;
}

// Reads the run of digits from at on into the mantissa, up to eight at a time: the lengths of
// the runs vary from field to field, and a test of every character mispredicts at the end of
// almost every run. Returns where the run ends.
const char* ReadDigitRun(const char* at, const char* end, std::uint64_t& mantissa) {
  while (at != end) {
    std::uint64_t word = LoadUpToEight(at, static_cast<std::size_t>(end - at));
    std::uint64_t nonDigits = NonDigitBytes(word);
    std::size_t run = nonDigits == 0 ? 8 : FirstMarkedByte(nonDigits);
    if (run == 0) break;
    // The run's digit values moved to the top, zeros below them: leading zeros.
    std::uint64_t digits = (word - kEveryByteOne * '0') << (8 * (8 - run));
    mantissa = mantissa * kWholePowersOfTen[run] + EightDigitsValue(digits);
    at += run;
    if (run < 8) break;
  }
  return at;
}

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
  at = ReadDigitRun(at, end, mantissa);
  int digits = static_cast<int>(at - first);
  int decimals = 0;
  if (at != end) {
    if (*at != '.') return false;  // blanks, an exponent or trailing text
    const char* fraction = ++at;
    at = ReadDigitRun(at, end, mantissa);
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
