// Numbers in the data files and in the files the program writes. Nothing here depends on the
// process locale: numbers are read with std::from_chars and written with std::to_chars.
#pragma once

#include <string>
#include <string_view>

#include "formats/decimal_shortcuts.h"

namespace tolvanex {

// The number in a data field. Blanks, tabs and line feeds are ignored anywhere in the field;
// then the longest leading part that forms a number is taken: an optional sign, digits with at
// most one "." as the decimal point, an optional exponent (E or D in either case, an optional
// sign, digits; an exponent letter without digits counts as exponent 0). Whatever follows is
// ignored, and a field that does not begin with a number reads as 0. A value beyond the range of
// a double throws Failure(kOverflow); one too small to hold reads as 0.
// When known is given it receives the digits of the value as the field wrote them, when they
// can stand for it in AppendGeneralForm, and is emptied otherwise.
double ReadFieldNumber(std::string_view field, KnownDigits* known = nullptr);

// The general number form: rounded to 15 significant digits; plain decimals for magnitudes from
// 1e-4 up to below 1e15 (0.0123456789012345 stays plain), and below 1e-4 as long as at most 15
// decimal places are needed (0.000015 is "0.000015", 1e-15 is "0.000000000000001"); exponent
// form otherwise, with a sign and at least two exponent digits ("1E+15", "5.6789E-12"); trailing
// zeros and a trailing point dropped; a 0 before the point below 1; "." as the point whatever
// the locale; negative zero written "0". Infinity and NaN are never written: they throw
// Failure(kOverflow), and nothing is appended.
// Digits known for the value's magnitude (from ReadFieldNumber) spare the search for them.
void AppendGeneralForm(std::string& out, double value, const KnownDigits* known = nullptr);
std::string GeneralForm(double value);

// A single-precision value written with the pattern "0.0": its 7-significant-digit decimal text
// rounded to one decimal, halves away from zero, with "." as the point (0.7 gives "0.7", 0.25
// gives "0.3", 9.96 gives "10.0").
std::string FormatOneDecimal(float value);

}  // namespace tolvanex
