// The regional settings of a locale, as the system keeps them.
#pragma once

#include "system/regional_settings.h"

namespace tolvanex {

// The regional settings of the named locale ("de_DE" or "de_DE.UTF-8", on Windows also "de-DE"):
// month and day names, AM/PM texts, the short-date order and date separator (from the date
// format), the time separator (from the time format) and the decimal and group separators. ""
// means the user's own locale (on POSIX the one that the environment names: LC_ALL, then the
// category's own variable, then LANG; on Windows the user's choice in the system's settings).
// "C", "POSIX" and a name that the system does not know give EnglishRegionalSettings(); the C
// locale's empty group separator reads as ",", while any other locale's empty group separator
// stays empty.
RegionalSettings RegionalSettingsFromLocale(const char* localeName);

}  // namespace tolvanex
