// Date patterns such as "d mmm yyyy HH:MM": a pattern is read once into its codes and then writes
// any number of day-count values.
//
// Codes, letters in either case; a run of one letter is one code (a run longer than the longest
// code of its letter is split from the left into the longest codes that fit, so "yyy" is "yy"
// then "y"):
//   d dd        day of the month, without / with a leading zero
//   ddd dddd    weekday abbreviation / full name of the locale
//   ddddd       short date in the locale's order and separator: m/d/yyyy, dd/mm/yyyy or
//               yyyy/mm/dd
//   dddddd      long date: "dddd, mmmm d, yyyy", "dddd, d mmmm yyyy" or "yyyy mmmm d"
//   m mm        month 1 to 12 / two digits; the minute when the nearest code before it is an hour
//   mmm mmmm    month abbreviation / full name of the locale (always the month)
//   n nn        minute;  s ss  second;  h hh  hour (0 to 23, 1 to 12 with a marker code)
//   y           day of the year;  yy  last two digits of the year;  yyyy  the year, four digits
//   q           quarter;  w  weekday, 1 for Sunday;  ww  week of the year, the first being the
//               one that holds 1 January, weeks starting on Sunday
//   c           short date and long time ("ddddd ttttt"), the date left out on day 0 and the
//               time at midnight
//   ttttt       long time: hh:mm:ss on the 24-hour clock with the locale's separator
//   AM/PM am/pm A/P a/p   the marker in that spelling (exact case only)
//   AMPM        the locale's AM/PM texts (AM/PM when the locale has none)
// Any marker code switches every hour code to the 12-hour clock. "/" and ":" write the locale's
// date and time separators; text in double quotes and a character after a backslash are copied
// as they stand, and so is every other character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "system/regional_settings.h"

namespace tolvanex {

// A date pattern ends up in every line of every text file: a CR or LF in it would split each
// line in two (and a rerun, which reads the last line back, would append every reading again),
// a NUL would cut it. Such a pattern is refused wherever a pattern comes in.
bool DatePatternAllowed(std::string_view pattern);

class DatePattern {
 public:
  explicit DatePattern(std::string_view pattern);

  const std::string& Text() const { return text_; }
  // Appends the value written with the pattern; an empty pattern writes the general number form
  // of the value. Throws Failure(kOverflow) for a value outside the range of dates.
  void AppendTo(std::string& out, double value, const RegionalSettings& regional) const;
  // Whether AppendTo writes the value rather than throwing for it.
  bool Writes(double value) const;
  std::string Format(double value, const RegionalSettings& regional) const;

 private:
  enum class Code : std::uint8_t {
    Literal,
    DateSeparator,
    TimeSeparator,
    Day,
    Day2,
    WeekdayAbbreviation,
    WeekdayName,
    ShortDate,
    LongDate,
    Month,
    Month2,
    MonthAbbreviation,
    MonthName,
    Minute,
    Minute2,
    Second,
    Second2,
    Hour,
    Hour2,
    DayOfYear,
    Year2,
    Year4,
    Quarter,
    Weekday,
    WeekOfYear,
    MarkerUpper,   // AM/PM
    MarkerLower,   // am/pm
    LetterUpper,   // A/P
    LetterLower,   // a/p
    MarkerLocale,  // AMPM
    GeneralDate,   // c
    LongTime,      // ttttt
  };
  struct Token {
    Code Kind = Code::Literal;
    std::uint32_t Offset = 0;  // a literal: its place in literals_
    std::uint32_t Length = 0;
  };

  void AddLiteral(std::string_view literal);
  void AddCode(Code code);
  void ReadRun(std::string_view run);  // a run of one code letter

  std::string text_;
  std::string literals_;
  std::vector<Token> tokens_;
  bool twelveHour_ = false;
  bool afterHour_ = false;  // while reading: the nearest code so far is an hour code
};

// One value with one pattern, for callers that do not keep the pattern.
std::string FormatDate(double value, std::string_view pattern, const RegionalSettings& regional);

}  // namespace tolvanex
