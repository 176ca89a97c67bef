// Day-count date values: a double whose whole part counts days from 30 December 1899 (day 0)
// and whose fraction is the time of day (0.5 is noon).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "system/regional_settings.h"

namespace tolvanex {

inline constexpr double kMinimumDayCount = -657434.0;       // 1 January 100
inline constexpr double kMaximumDayCount = 2958465.999995;  // 31 December 9999, 23:59:59

struct CalendarFields {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int DayOfWeek = 7;  // 1 Sunday to 7 Saturday
  int DayOfYear = 364;
};

// The day count of a calendar date (no time).
double DayCountOfDate(int year, int month, int day);
// The fraction of a day of a time.
double FractionOfTime(int hour, int minute, int second);
// A day count split into calendar fields after rounding to the nearest second, so that
// 45121.3784722222 is 14 July 2023 09:05:00, never 09:04:59. Negative values count back from
// day 0 with the fraction's magnitude as the time (-1.25 is 29 December 1899 06:00). Throws
// Failure(kOverflow) outside the range of dates: from any time of 1 January 100 (a value above
// kMinimumDayCount - 1) up to kMaximumDayCount.
CalendarFields SplitDayCount(double value);
// The moment of the value in whole seconds since day 0, rounded to the nearest second the same
// way as SplitDayCount (so -1.25 is -86400 + 21600). Throws Failure(kOverflow) outside the range.
std::int64_t WholeSeconds(double value);

// Reads a date-and-time text the way the user's regional settings read dates; no value when the
// text is neither a date nor a time.
// - The date: day, month and year with "/", "-", "." or blanks between them, or with the month
//   written as a name or abbreviation of the locale (full names tried first; the word must end
//   there, so "Sept" is no month). Weekday names are skipped; "," and blanks only separate.
// - A word that none of the locale's names or AM/PM texts matches is tried against the English
//   ones (data loggers write English whatever the desktop's language), so "14 Oct 2023" reads
//   in a German locale too. A text that the locale's words read keeps that value.
// - Without a month name, the orders are tried in turn and the first real calendar date wins:
//   the locale's short-date order, then year-month-day (month-day-year for a year-first
//   locale), then the remaining ones. Two numbers are month and day of currentYear, else month
//   and year with day 1. Two-digit years fall in 1930 to 2029.
// - The time: h:mm or h:mm:ss with ":" only, optionally followed by the locale's AM/PM text or a
//   single a or p; a number directly followed by such a marker is an hour ("1 am"). It stands
//   before or after the whole date, never inside it. Hours up to 23, minutes and seconds up to 59.
// - A text without a date part gives the time alone (day 0); without a time, midnight. Before
//   day 0 the time counts away from zero, as SplitDayCount reads it back.
std::optional<double> ParseDateTime(std::string_view text, const RegionalSettings& regional,
                                    int currentYear);

}  // namespace tolvanex
