// Quick ways to the same results as the general number routines, for the common cases of a
// conversion run. Each gives no value when its case does not apply; the general routine then
// takes over. Where one applies, it gives exactly what the general routine gives.
#pragma once

#include <optional>
#include <string_view>

namespace tolvanex {

// The significant digits of a positive finite value and the power of ten of the first.
struct DecimalDigits {
  char Digits[17];
  int Count = 0;  // without trailing zeros
  int Exponent = 0;
};

// The digits of a value's magnitude as its text gave them, kept beside the value so that writing
// it needs no search for its digits. They count only while Magnitude is the magnitude of the
// value being written, and only ever hold at most 15 significant digits, which makes them that
// value rounded to 15 digits. A field's digits stay in its text (Text, a plain decimal that
// must outlive them) and are taken from it only when the value is written; digits found for a
// value are in Digits, with Text empty.
struct KnownDigits {
  double Magnitude = -1;  // matches no value: none is known
  std::string_view Text;
  DecimalDigits Digits;
};

// The significant digits of a plain decimal ("-0012.3400", "+.5") that is not zero, as
// ReadPlainDecimalInto took it.
DecimalDigits DigitsOfPlainDecimal(std::string_view text);

// The digits of a positive finite value rounded to 15 significant digits, found once.
KnownDigits DigitsFor(double magnitude);

// A field that is nothing but a plain decimal ("-12.345", "7", ".5") of a mantissa below 2^53
// with at most 22 decimals: the double nearest to it, as std::from_chars would read it (one
// exact integer divided by an exact power of ten is rounded once, correctly). When known is
// given it receives the field as the text of the digits of a non-zero value of at most 15
// significant digits, and is emptied otherwise.
// The value goes to result; false, with result untouched, when the field is no plain decimal.
bool ReadPlainDecimalInto(std::string_view field, double& result, KnownDigits* known = nullptr);

// The value rounded to 15 significant digits.
DecimalDigits RoundedDigits(double value);
// The digits of the decimal with the fewest places after the point that reads back as the value,
// when it has at most 15 significant digits and at most 22 places and the value is not
// subnormal. Any decimal of at most 15 digits that reads back as a normal double is that
// double rounded to 15 digits: it lies within half a unit in the last place of the double, far
// less than half a unit of its own 15th digit.
std::optional<DecimalDigits> ShortDigits(double value);

}  // namespace tolvanex
