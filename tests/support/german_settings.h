// The regional settings of a German locale, as a value: day-month-year with ".", "," as the
// decimal separator and "." grouping, month names with a letter outside ASCII.
#pragma once

#include "system/regional_settings.h"

namespace tolvanex::testing {

inline RegionalSettings GermanRegionalSettings() {
  RegionalSettings german;
  german.MonthAbbreviations = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun",
                               "Jul", "Aug", "Sep",        "Okt", "Nov", "Dez"};
  german.MonthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April",   "Mai",      "Juni",
                       "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
  german.DayAbbreviations = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  german.DayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                     "Donnerstag", "Freitag", "Samstag"};
  german.ShortDateOrder = DateOrder::DayMonthYear;
  german.DateSeparator = ".";
  german.TimeSeparator = ":";
  german.DecimalSeparator = ",";
  german.GroupSeparator = ".";
  return german;
}

}  // namespace tolvanex::testing
