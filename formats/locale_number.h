// Numbers that the user types, read in the user's regional settings.
#pragma once

#include <optional>
#include <string_view>

#include "system/regional_settings.h"

namespace tolvanex {

// The value of a text that is a number in the user's locale: blanks around an optional sign,
// digits that may hold the group separator after the first digit, an optional decimal separator
// with digits, an optional exponent E with an optional sign and digits. Nothing else is a number
// ("$5", "(5)", "5-", "1 2", the empty text); no value is given for those. A number too large for
// a double reads as infinite and one too small as zero, so that a range check refuses the one
// and the other reads as what it is.
std::optional<double> ReadLocaleNumber(std::string_view text, const RegionalSettings& regional);

// The nearest whole number, halves to the even neighbour (0.5 gives 0, 1.5 and 2.5 give 2).
double RoundHalfEven(double value);

}  // namespace tolvanex
