// The user's regional settings, handed to the logic as a value so that nothing depends on the
// process locale behind its back.
#pragma once

#include <array>
#include <string>

namespace tolvanex {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

struct RegionalSettings {
  std::array<std::string, 12> MonthAbbreviations{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> MonthNames{"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
  // Sunday first.
  std::array<std::string, 7> DayAbbreviations{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> DayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
  std::string AmText = "AM";
  std::string PmText = "PM";
  DateOrder ShortDateOrder = DateOrder::MonthDayYear;
  std::string DateSeparator = "/";
  std::string TimeSeparator = ":";
  std::string DecimalSeparator = ".";
  std::string GroupSeparator = ",";
};

// English names, month-day-year, "/", ":", "." and ",": the C locale's settings.
inline RegionalSettings EnglishRegionalSettings() {
  return RegionalSettings{};
}

}  // namespace tolvanex
