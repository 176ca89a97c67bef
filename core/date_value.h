// Day-count date values: a double whose whole part counts days from 30 December 1899 (day 0)
// and whose fraction is the time of day (0.5 is noon).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/regional_settings.h"

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
// Failure(kOverflow) outside kMinimumDayCount to kMaximumDayCount.
CalendarFields SplitDayCount(double value);
// The value in whole seconds since day 0, rounded to the nearest second.
std::int64_t WholeSeconds(double value);

// Reads a date-and-time text the way the user's regional settings read dates; no value when the
// text is neither a date nor a time. currentYear is taken for dates written without a year.
std::optional<double> ParseDateTime(std::string_view text, const RegionalSettings& regional,
                                    int currentYear);

}  // namespace tolvanex
