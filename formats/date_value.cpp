#include "formats/date_value.h"

#include <array>
#include <cmath>

#include "base/errors.h"
#include "base/text.h"

namespace tolvanex {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  std::int64_t yearOfEra = year - era * 400;
  std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
  int Year;
  int Month;
  int Day;
};

CivilDate CivilFromDays(std::int64_t days) {
  days += 719468;
  std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  std::int64_t dayOfEra = days - era * 146097;
  std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  std::int64_t mp = (5 * dayOfYear + 2) / 153;
  int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), month, day};
}

const std::int64_t kDayZero = DaysFromCivil(1899, 12, 30);

// The calendar day and the second of that day that a value stands for, to the nearest second.
// Before day 0 the whole part, taken toward zero, is the day and the fraction's magnitude the
// time, so -1.25 is day -1 at 06:00.
struct DaySecond {
  std::int64_t Day;
  std::int64_t Second;
};

DaySecond SplitToSecond(double value) {
  // Times on the first day lie below kMinimumDayCount: -657434.5 is 1 January 100 at noon.
  if (!(value > kMinimumDayCount - 1 && value <= kMaximumDayCount)) throw Failure(kOverflow);
  double whole = std::trunc(value);
  double fraction = std::fabs(value - whole);
  auto day = static_cast<std::int64_t>(whole);
  auto second = static_cast<std::int64_t>(std::round(fraction * kSecondsPerDay));
  if (second >= kSecondsPerDay) {
    ++day;
    second -= kSecondsPerDay;
  }
  // The last moments of the range round into a year that has no dates; hold them at the end.
  constexpr auto kLastDay = static_cast<std::int64_t>(kMaximumDayCount);
  if (day > kLastDay) {
    day = kLastDay;
    second = kSecondsPerDay - 1;
  }
  return {day, second};
}

}  // namespace

double DayCountOfDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - kDayZero);
}

double FractionOfTime(int hour, int minute, int second) {
  return static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
}

CalendarFields SplitDayCount(double value) {
  DaySecond split = SplitToSecond(value);
  CivilDate date = CivilFromDays(split.Day + kDayZero);
  CalendarFields fields;
  fields.Year = date.Year;
  fields.Month = date.Month;
  fields.Day = date.Day;
  fields.Hour = static_cast<int>(split.Second / 3600);
  fields.Minute = static_cast<int>(split.Second / 60 % 60);
  fields.Second = static_cast<int>(split.Second % 60);
  // Day 0 was a Saturday.
  std::int64_t weekday = (split.Day + 6) % 7;
  if (weekday < 0) weekday += 7;
  fields.DayOfWeek = static_cast<int>(weekday) + 1;
  fields.DayOfYear = static_cast<int>(split.Day + kDayZero - DaysFromCivil(date.Year, 1, 1)) + 1;
  return fields;
}

std::int64_t WholeSeconds(double value) {
  DaySecond split = SplitToSecond(value);
  return split.Day * kSecondsPerDay + split.Second;
}

// Date-and-time texts are read in two steps: a scan turns the text into items (numbers, month
// names, AM/PM markers and separators), and the items are then sorted into a time group and the
// day, month and year. Both work on fixed arrays: this runs for every line of a data file.
namespace {

enum class ItemKind { Number, Month, Marker, DateSeparator, TimeSeparator };

struct Item {
  ItemKind Kind;
  int Value;  // a number (held at kNumberCap), a month 1 to 12, or 1 for PM and 0 for AM
};

constexpr int kMaxItems = 16;
constexpr int kNumberCap = 100000;  // more than any part of a date or a time can be

// Bytes from 0x80 up belong to letters of a multi-byte character set.
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

// The length of the word at the start of text when it is the name, case aside; 0 otherwise. The
// word must end with the name, so "Sept" is not "Sep".
std::size_t MatchName(std::string_view text, std::string_view name) {
  if (name.empty() || text.size() < name.size()) return 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (LowerAscii(text[i]) != LowerAscii(name[i])) return 0;
  }
  if (text.size() > name.size() && IsLetter(text[name.size()])) return 0;
  return name.size();
}

struct Word {
  std::size_t Length = 0;
  bool Weekday = false;
  Item Found{ItemKind::Month, 0};
};

// The words of a language that a date text may hold: month names first (full names before
// abbreviations), then weekday names, then the morning and afternoon texts.
template <typename Text>
struct DateWords {
  const std::array<Text, 12>& MonthNames;
  const std::array<Text, 12>& MonthAbbreviations;
  const std::array<Text, 7>& DayNames;
  const std::array<Text, 7>& DayAbbreviations;
  std::string_view AmText;
  std::string_view PmText;
};

// English, as data loggers write their dates whatever the language of the desktop.
constexpr std::array<std::string_view, 12> kEnglishMonthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 12> kEnglishMonthAbbreviations{
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 7> kEnglishDayNames{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 7> kEnglishDayAbbreviations{"Sun", "Mon", "Tue", "Wed",
                                                                   "Thu", "Fri", "Sat"};
constexpr DateWords<std::string_view> kEnglishWords{kEnglishMonthNames,
                                                    kEnglishMonthAbbreviations,
                                                    kEnglishDayNames,
                                                    kEnglishDayAbbreviations,
                                                    "AM",
                                                    "PM"};

template <typename Text>
Word MatchWordOf(std::string_view text, const DateWords<Text>& words) {
  Word word;
  for (const auto* names : {&words.MonthNames, &words.MonthAbbreviations}) {
    for (int m = 0; m < 12; ++m) {
      if ((word.Length = MatchName(text, (*names)[m])) != 0) {
        word.Found = {ItemKind::Month, m + 1};
        return word;
      }
    }
  }
  for (const auto* names : {&words.DayNames, &words.DayAbbreviations}) {
    for (const Text& name : *names) {
      if ((word.Length = MatchName(text, name)) != 0) {
        word.Weekday = true;
        return word;
      }
    }
  }
  const std::string_view markers[] = {words.AmText, words.PmText, "a", "p"};
  for (int k = 0; k < 4; ++k) {
    if ((word.Length = MatchName(text, markers[k])) != 0) {
      word.Found = {ItemKind::Marker, k % 2};
      return word;
    }
  }
  return word;
}

// The locale's words first; a word that none of them matches is tried as English. A text that
// the locale reads so keeps its value: the English words only read what would be rejected.
Word MatchWord(std::string_view text, const RegionalSettings& regional) {
  const DateWords<std::string> localeWords{regional.MonthNames, regional.MonthAbbreviations,
                                           regional.DayNames,   regional.DayAbbreviations,
                                           regional.AmText,     regional.PmText};
  Word word = MatchWordOf(text, localeWords);
  if (word.Length == 0) word = MatchWordOf(text, kEnglishWords);
  return word;
}

// The items of the text; false when it holds anything that no date or time has.
bool ScanItems(std::string_view text, const RegionalSettings& regional,
               std::array<Item, kMaxItems>& items, int& count) {
  count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    Item item{ItemKind::Number, 0};
    if (c == ' ' || c == '\t' || c == ',') {
      ++i;
      continue;
    } else if (IsDigit(c)) {
      int value = 0;
      for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kNumberCap) value = kNumberCap;
      }
      item.Value = value;
    } else if (c == '/' || c == '-' || c == '.') {
      item.Kind = ItemKind::DateSeparator;
      ++i;
    } else if (c == ':') {
      item.Kind = ItemKind::TimeSeparator;
      ++i;
    } else if (IsLetter(c)) {
      Word word = MatchWord(text.substr(i), regional);
      if (word.Length == 0) return false;
      i += word.Length;
      if (word.Weekday) continue;
      item = word.Found;
    } else {
      return false;
    }
    if (count == kMaxItems) return false;
    items[count++] = item;
  }
  return true;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Two-digit years fall in 1930 to 2029.
int FullYear(int year) {
  if (year >= 100) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

struct Date {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

bool MakeDate(int year, int month, int day, Date& date) {
  year = FullYear(year);
  if (year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return false;
  }
  date = {year, month, day};
  return true;
}

enum class Order { MDY, DMY, YMD, YDM };

bool DateInOrder(const int (&n)[3], Order order, Date& date) {
  switch (order) {
    case Order::MDY:
      return MakeDate(n[2], n[0], n[1], date);
    case Order::DMY:
      return MakeDate(n[2], n[1], n[0], date);
    case Order::YMD:
      return MakeDate(n[0], n[1], n[2], date);
    case Order::YDM:
      return MakeDate(n[0], n[2], n[1], date);
  }
  return false;
}

struct DateParts {
  int Count = 0;
  int Values[3] = {0, 0, 0};
  int MonthAt = -1;  // the position of a month name, if any
};

// Day, month and year from two or three parts. Without a month name the user's order is tried
// first, then year-month-day, then the rest; the first real calendar date wins.
bool ResolveDate(const DateParts& parts, DateOrder localeOrder, int currentYear, Date& date) {
  const int* v = parts.Values;
  if (parts.MonthAt >= 0) {
    int month = v[parts.MonthAt];
    if (parts.Count == 2) {
      int number = v[1 - parts.MonthAt];
      return MakeDate(currentYear, month, number, date) || MakeDate(number, month, 1, date);
    }
    switch (parts.MonthAt) {
      case 0:
        return MakeDate(v[2], month, v[1], date);
      case 1:
        return MakeDate(v[2], month, v[0], date) || MakeDate(v[0], month, v[2], date);
      default:
        return MakeDate(v[0], month, v[1], date);
    }
  }
  if (parts.Count == 2) {
    bool dayFirst = localeOrder == DateOrder::DayMonthYear;
    int first = dayFirst ? v[1] : v[0];  // as month
    int second = dayFirst ? v[0] : v[1];
    return MakeDate(currentYear, first, second, date) ||
           MakeDate(currentYear, second, first, date) || MakeDate(v[1], v[0], 1, date) ||
           MakeDate(v[0], v[1], 1, date);
  }
  // Indexed by DateOrder.
  static constexpr Order kSequences[3][4] = {{Order::MDY, Order::YMD, Order::DMY, Order::YDM},
                                             {Order::DMY, Order::YMD, Order::MDY, Order::YDM},
                                             {Order::YMD, Order::MDY, Order::DMY, Order::YDM}};
  for (Order order : kSequences[static_cast<int>(localeOrder)]) {
    if (DateInOrder(parts.Values, order, date)) return true;
  }
  return false;
}

}  // namespace

std::optional<double> ParseDateTime(std::string_view text, const RegionalSettings& regional,
                                    int currentYear) {
  std::array<Item, kMaxItems> items;
  int count = 0;
  if (!ScanItems(text, regional, items, count) || count == 0) return std::nullopt;
  auto isAt = [&](int i, ItemKind kind) { return i < count && items[i].Kind == kind; };

  DateParts date;
  bool haveTime = false;
  bool timeAfterDate = false;  // the time came after date parts, so none may follow it
  bool separatorPending = false;
  bool lastWasDatePart = false;
  int hour = 0, minute = 0, second = 0, marker = -1;

  for (int i = 0; i < count; ++i) {
    const Item& item = items[i];
    bool startsTime = item.Kind == ItemKind::Number &&
                      (isAt(i + 1, ItemKind::TimeSeparator) || isAt(i + 1, ItemKind::Marker));
    if (startsTime) {
      if (haveTime || separatorPending) return std::nullopt;
      haveTime = true;
      timeAfterDate = date.Count > 0;
      hour = item.Value;
      if (isAt(i + 1, ItemKind::TimeSeparator)) {
        if (!isAt(i + 2, ItemKind::Number)) return std::nullopt;
        minute = items[i + 2].Value;
        i += 2;
        if (isAt(i + 1, ItemKind::TimeSeparator)) {
          if (!isAt(i + 2, ItemKind::Number)) return std::nullopt;
          second = items[i + 2].Value;
          i += 2;
        }
        // A third ":" or a "." after the seconds (fractions of a second) is no time.
        if (isAt(i + 1, ItemKind::TimeSeparator) || isAt(i + 1, ItemKind::DateSeparator)) {
          return std::nullopt;
        }
      }
      if (isAt(i + 1, ItemKind::Marker)) marker = items[++i].Value;
      lastWasDatePart = false;
      continue;
    }
    switch (item.Kind) {
      case ItemKind::Number:
      case ItemKind::Month:
        if ((haveTime && timeAfterDate) || date.Count == 3) return std::nullopt;
        if (item.Kind == ItemKind::Month) {
          if (date.MonthAt >= 0) return std::nullopt;
          date.MonthAt = date.Count;
        }
        date.Values[date.Count++] = item.Value;
        separatorPending = false;
        lastWasDatePart = true;
        break;
      case ItemKind::DateSeparator:
        // Only between two parts of the date.
        if (!lastWasDatePart) return std::nullopt;
        separatorPending = true;
        lastWasDatePart = false;
        break;
      default:  // a ":" or a marker that no time took
        return std::nullopt;
    }
  }
  if (separatorPending || date.Count == 1) return std::nullopt;

  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  if (marker == 1 && hour < 12) hour += 12;
  if (marker == 0 && hour == 12) hour = 0;
  double time = FractionOfTime(hour, minute, second);
  if (date.Count == 0) return time;

  Date resolved;
  if (!ResolveDate(date, regional.ShortDateOrder, currentYear, resolved)) return std::nullopt;
  double day = DayCountOfDate(resolved.Year, resolved.Month, resolved.Day);
  // Before day 0 the time counts away from zero, as the day count is read back.
  return day < 0 ? day - time : day + time;
}

}  // namespace tolvanex
