#include "formats/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <system_error>

#include "base/errors.h"
#include "formats/decimal_shortcuts.h"

namespace tolvanex {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsIgnored(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Collects the characters that make up the number at the start of a field, blanks removed,
// "D" turned into "e" and a bare exponent letter dropped, so that from_chars can read them.
// Also keeps what an out-of-range result needs to tell overflow from underflow.
class NumberCollector {
 public:
  explicit NumberCollector(char* buffer) : buffer_(buffer) {}

  // Returns the number of characters written to the buffer; 0 when the field holds no number.
  std::size_t Collect(std::string_view field) {
    std::size_t i = 0;
    auto next = [&]() -> char {
      while (i < field.size() && IsIgnored(field[i])) ++i;
      return i < field.size() ? field[i] : '\0';
    };

    char c = next();
    if (c == '+' || c == '-') {
      if (c == '-') Put('-');
      ++i;
      c = next();
    }
    bool point = false;
    for (;; c = next()) {
      if (IsDigit(c)) {
        mantissaDigits_ = true;
        if (c != '0') nonZeroSeen_ = true;
        if (!point) {
          if (nonZeroSeen_) ++significantInteger_;
        } else if (!nonZeroSeen_) {
          ++leadingFractionZeros_;
        }
        Put(c);
      } else if (c == '.' && !point) {
        point = true;
        Put('.');
      } else {
        break;
      }
      ++i;
    }
    if (!mantissaDigits_) return 0;

    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
      ++i;
      std::size_t mark = length_;
      Put('e');
      bool negative = false;
      c = next();
      if (c == '+' || c == '-') {
        negative = c == '-';
        if (negative) Put('-');
        ++i;
        c = next();
      }
      bool exponentDigits = false;
      for (; IsDigit(c); ++i, c = next()) {
        exponentDigits = true;
        Put(c);
        if (exponent_ < 100000) exponent_ = exponent_ * 10 + (c - '0');
      }
      if (negative) exponent_ = -exponent_;
      if (!exponentDigits) length_ = mark;  // "1e" and "1e+" read as 1
    }
    return length_;
  }

  // The power of ten of the leading significant digit, for telling overflow from underflow.
  std::int64_t Magnitude() const {
    std::int64_t lead =
        significantInteger_ > 0 ? significantInteger_ - 1 : -(leadingFractionZeros_ + 1);
    return lead + exponent_;
  }

 private:
  void Put(char c) { buffer_[length_++] = c; }

  char* buffer_;
  std::size_t length_ = 0;
  bool mantissaDigits_ = false;
  bool nonZeroSeen_ = false;
  std::int64_t significantInteger_ = 0;  // integer digits from the first non-zero one
  std::int64_t leadingFractionZeros_ = 0;
  std::int64_t exponent_ = 0;
};

double ConvertCollected(const char* first, const char* last, const NumberCollector& collector) {
  double value = 0;
  auto [rest, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) {
    if (collector.Magnitude() >= 0) throw Failure(kOverflow);
    return 0;  // too small to hold
  }
  if (error != std::errc() || rest != last || !std::isfinite(value)) throw Failure(kOverflow);
  return value;
}

// Appends the decimal digits of a non-negative integer value.
void AppendInteger(std::string& out, int value, int minimumDigits) {
  char digits[16];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;
  for (int n = static_cast<int>(end - digits); n < minimumDigits; ++n) out += '0';
  out.append(digits, static_cast<std::size_t>(end - digits));
}

// The magnitude's text of a plain decimal, its sign left out, that already is its general form:
// no zero in front but the one before the point below 1, no zero or point at the end, and at
// most 15 places (so never the exponent form). At most 15 significant digits are known already.
bool IsGeneralFormAlready(std::string_view text) {
  if (text.empty()) return false;
  if (text[0] == '0') {
    if (text.size() < 3 || text[1] != '.') return false;
  } else if (!IsDigit(text[0])) {
    return false;
  }
  std::size_t point = text.find('.');
  if (point == std::string_view::npos) return true;
  std::size_t places = text.size() - point - 1;
  return places > 0 && places <= 15 && text.back() != '0';
}

}  // namespace

double ReadFieldNumber(std::string_view field, KnownDigits* known) {
  double plain = 0;
  if (ReadPlainDecimalInto(field, plain, known)) return plain;
  // Fields are short; only an unusually long one needs the heap.
  constexpr std::size_t kStackSize = 96;
  std::array<char, kStackSize> stackBuffer;
  std::string heapBuffer;
  char* buffer = stackBuffer.data();
  if (field.size() + 2 > kStackSize) {
    heapBuffer.resize(field.size() + 2);
    buffer = heapBuffer.data();
  }
  NumberCollector collector(buffer);
  std::size_t length = collector.Collect(field);
  if (length == 0) return 0;  // no digit before the first character that ends the number
  return ConvertCollected(buffer, buffer + length, collector);
}

void AppendGeneralForm(std::string& out, double value, const KnownDigits* known) {
  // A day count or reading that is not a number must never reach a file.
  if (!std::isfinite(value)) throw Failure(kOverflow);
  if (value == 0) {
    out += '0';  // negative zero too
    return;
  }
  // Written into a buffer of the longest text (a sign, "0.", 19 zeros and 15 digits) and
  // appended once.
  char text[48];
  char* at = text;
  if (value < 0) {
    *at++ = '-';
    value = -value;
  }

  // 15 significant digits, correctly rounded. A reading's digits are mostly known from its text;
  // otherwise a short decimal is quicker to find than a rounding to 15 digits.
  DecimalDigits rounded;
  if (known != nullptr && known->Magnitude == value) {
    std::string_view magnitude = known->Text;
    if (!magnitude.empty() && (magnitude[0] == '-' || magnitude[0] == '+'))
      magnitude.remove_prefix(1);
    if (IsGeneralFormAlready(magnitude)) {
      out.append(text, static_cast<std::size_t>(at - text));
      out += magnitude;
      return;
    }
    rounded = known->Text.empty() ? known->Digits : DigitsOfPlainDecimal(known->Text);
  } else if (std::optional<DecimalDigits> shortDigits = ShortDigits(value)) {
    rounded = *shortDigits;
  } else {
    rounded = RoundedDigits(value);
  }
  const char* digits = rounded.Digits;
  int count = rounded.Count;
  int exponent = rounded.Exponent;
  auto put = [&at](const char* from, int length) {
    std::memcpy(at, from, static_cast<std::size_t>(length));
    at += length;
  };

  // Plain decimals from 1e-4 up to below 1e15, and below 1e-4 too while they need at most 15
  // places after the point (0.000015, never 1.5E-05); the exponent form otherwise.
  int decimalsNeeded = count - 1 - exponent;
  if (exponent < 15 && (exponent >= -4 || decimalsNeeded <= 15)) {
    if (exponent < 0) {
      *at++ = '0';
      *at++ = '.';
      for (int i = -exponent - 1; i > 0; --i) *at++ = '0';
      put(digits, count);
    } else {
      int integerDigits = exponent + 1;
      if (count > integerDigits) {
        put(digits, integerDigits);
        *at++ = '.';
        put(digits + integerDigits, count - integerDigits);
      } else {
        put(digits, count);
        for (int i = count; i < integerDigits; ++i) *at++ = '0';
      }
    }
    out.append(text, static_cast<std::size_t>(at - text));
    return;
  }

  *at++ = digits[0];
  if (count > 1) {
    *at++ = '.';
    put(digits + 1, count - 1);
  }
  *at++ = 'E';
  *at++ = exponent < 0 ? '-' : '+';
  out.append(text, static_cast<std::size_t>(at - text));
  AppendInteger(out, exponent < 0 ? -exponent : exponent, 2);
}

std::string GeneralForm(double value) {
  std::string text;
  AppendGeneralForm(text, value);
  return text;
}

std::string FormatOneDecimal(float value) {
  if (!std::isfinite(value)) throw Failure(kOverflow);
  if (value == 0) return "0.0";

  // The single's 7-significant-digit text is what gets rounded, not the binary value: 0.25f
  // rounds up to 0.3 here although the nearest-even rule would give 0.2.
  char text[32];
  auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
  (void)error;
  bool negative = text[0] == '-';
  const char* e = text;
  while (*e != 'e') ++e;
  int exponent = 0;
  const char* exponentStart = e + 1;
  if (*exponentStart == '+') ++exponentStart;
  std::from_chars(exponentStart, end, exponent);
  char digits[7];
  int count = 0;
  for (const char* p = text; p < e; ++p) {
    if (IsDigit(*p)) digits[count++] = *p;
  }
  auto digitAt = [&](int power) -> int {  // the digit worth 10^power
    int index = exponent - power;
    return index >= 0 && index < count ? digits[index] - '0' : 0;
  };

  // Positions from the highest integer digit down to the tenths, plus one slot for a carry.
  int top = exponent > 0 ? exponent : 0;
  std::array<int, 48> place{};  // place[k] is the digit worth 10^(top - k + 1); place[0] the carry
  int positions = top + 3;      // carry, 10^top .. 10^0, 10^-1
  for (int k = 1; k < positions; ++k) place[k] = digitAt(top - k + 1);
  if (digitAt(-2) >= 5) {
    for (int k = positions - 1; k >= 0; --k) {
      if (++place[k] < 10) break;
      place[k] = 0;
    }
  }

  std::string result;
  if (negative) result += '-';
  int first = place[0] != 0 ? 0 : 1;
  for (int k = first; k < positions - 1; ++k) result += static_cast<char>('0' + place[k]);
  result += '.';
  result += static_cast<char>('0' + place[positions - 1]);
  return result;
}

}  // namespace tolvanex
