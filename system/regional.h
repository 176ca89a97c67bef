// The regional settings of a POSIX locale.
#pragma once

#include "system/regional_settings.h"

namespace tolvanex {

// The regional settings of the named locale: month and day names, AM/PM texts, the short-date
// order and date separator (from the date format), the time separator (from the time format)
// and the decimal and group separators. "" means the locale that the environment names
// (LC_ALL, then the category's own variable, then LANG). A name that the system does not know
// gives the C locale's settings, which are EnglishRegionalSettings(); the C locale's empty group
// separator reads as ",", while any other locale's empty group separator stays empty.
RegionalSettings RegionalSettingsFromLocale(const char* localeName);

}  // namespace tolvanex
