#include "system/regional.h"

#include <windows.h>

#include <iterator>
#include <string>
#include <string_view>

#include "system/win32/wide_text.h"

namespace tolvanex {

namespace {

// The order of the fields of a date or time pattern such as "dd.MM.yyyy" or "HH:mm:ss", and the
// text between the first two.
struct PatternShape {
  char Fields[3] = {0, 0, 0};  // 'd', 'M', 'y', 'H', 'm', ... in the order they appear
  int Count = 0;
  std::string Separator;
};

PatternShape ShapeOf(std::string_view pattern) {
  constexpr std::string_view kFieldLetters = "dMyHhmstg";
  PatternShape shape;
  std::string pending;
  bool quoted = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '\'') {
      quoted = !quoted;
      continue;
    }
    if (quoted || kFieldLetters.find(c) == std::string_view::npos) {
      pending += c;
      continue;
    }
    while (i + 1 < pattern.size() && pattern[i + 1] == c) ++i;  // "dd", "yyyy": one field
    if (shape.Count == 1) shape.Separator = pending;
    pending.clear();
    if (shape.Count < 3) shape.Fields[shape.Count] = c;
    ++shape.Count;
  }
  return shape;
}

// A separator is taken only when it is plain punctuation: "年" or an empty text between the
// fields says nothing about the separator that "/" or ":" should write.
bool IsPlainPunctuation(std::string_view separator) {
  if (separator.empty()) return false;
  for (char c : separator) {
    auto u = static_cast<unsigned char>(c);
    bool punctuation =
        u > 0x20 && u < 0x7F &&
        !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    if (!punctuation) return false;
  }
  return true;
}

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ') kept += c;
  }
  return kept;
}

class Locale {
 public:
  // nullptr is the user's own choice.
  explicit Locale(const wchar_t* name) : name_(name) {}

  // The text of one item in the ANSI code page; a blank that the code page lacks (as a narrow
  // no-break space between the groups of digits) is a plain blank, anything else that it lacks
  // a "?". Empty when the system does not have the item.
  std::string Text(LCTYPE item) const {
    wchar_t buffer[128] = {};
    int length = ::GetLocaleInfoEx(name_, item, buffer, static_cast<int>(std::size(buffer)));
    if (length <= 1) return std::string();
    std::wstring_view wide(buffer, static_cast<std::size_t>(length - 1));
    std::string bytes;
    if (tolvanex::win32::AnsiFromWideExactly(wide, bytes)) return bytes;
    if (wide.find_first_not_of(L"\u00A0\u2007\u2009\u202F ") == std::wstring_view::npos) {
      return " ";
    }
    return tolvanex::win32::AnsiFromWide(wide);
  }

 private:
  const wchar_t* name_;
};

DateOrder OrderOf(const PatternShape& shape, const Locale& locale) {
  if (shape.Count >= 2) {
    if (shape.Fields[0] == 'y') return DateOrder::YearMonthDay;
    for (int i = 0; i < shape.Count && i < 3; ++i) {
      if (shape.Fields[i] == 'd') return DateOrder::DayMonthYear;
      if (shape.Fields[i] == 'M') return DateOrder::MonthDayYear;
    }
  }
  // The order that the system states of itself: 0 month-day-year, 1 day-month-year,
  // 2 year-month-day.
  std::string order = locale.Text(LOCALE_IDATE);
  if (order == "1") return DateOrder::DayMonthYear;
  if (order == "2") return DateOrder::YearMonthDay;
  return DateOrder::MonthDayYear;
}

std::string SeparatorOf(const PatternShape& shape, const Locale& locale, LCTYPE stated,
                        const char* fallback) {
  std::string separator = WithoutBlanks(shape.Separator);
  if (IsPlainPunctuation(separator)) return separator;
  separator = WithoutBlanks(locale.Text(stated));
  return IsPlainPunctuation(separator) ? separator : std::string(fallback);
}

RegionalSettings SettingsOf(const Locale& locale) {
  RegionalSettings settings;
  for (int m = 0; m < 12; ++m) {
    settings.MonthAbbreviations[m] = locale.Text(LOCALE_SABBREVMONTHNAME1 + m);
    settings.MonthNames[m] = locale.Text(LOCALE_SMONTHNAME1 + m);
  }
  // The system's week starts with Monday (its day 1) and ends with Sunday (its day 7); the
  // settings start with Sunday.
  for (int d = 0; d < 7; ++d) {
    int day = d == 0 ? 6 : d - 1;
    settings.DayAbbreviations[d] = locale.Text(LOCALE_SABBREVDAYNAME1 + day);
    settings.DayNames[d] = locale.Text(LOCALE_SDAYNAME1 + day);
  }
  settings.AmText = locale.Text(LOCALE_S1159);
  settings.PmText = locale.Text(LOCALE_S2359);
  PatternShape date = ShapeOf(locale.Text(LOCALE_SSHORTDATE));
  settings.ShortDateOrder = OrderOf(date, locale);
  settings.DateSeparator = SeparatorOf(date, locale, LOCALE_SDATE, "/");
  settings.TimeSeparator =
      SeparatorOf(ShapeOf(locale.Text(LOCALE_STIMEFORMAT)), locale, LOCALE_STIME, ":");
  settings.DecimalSeparator = locale.Text(LOCALE_SDECIMAL);
  if (settings.DecimalSeparator.empty()) settings.DecimalSeparator = ".";
  settings.GroupSeparator = locale.Text(LOCALE_STHOUSAND);
  return settings;
}

// "de_DE", "de_DE.UTF-8" and "de_DE@euro" as Windows names the locale: "de-DE".
std::wstring WindowsLocaleName(std::string_view name) {
  name = name.substr(0, name.find_first_of(".@"));
  std::string windows(name);
  for (char& c : windows) {
    if (c == '_') c = '-';
  }
  return win32::WideFromAnsi(windows);
}

}  // namespace

RegionalSettings RegionalSettingsFromLocale(const char* localeName) {
  std::string_view name = localeName != nullptr ? localeName : "";
  if (name.empty()) return SettingsOf(Locale(LOCALE_NAME_USER_DEFAULT));
  if (name == "C" || name == "POSIX" || name.starts_with("C.")) return EnglishRegionalSettings();
  std::wstring windowsName = WindowsLocaleName(name);
  if (windowsName.empty() || !::IsValidLocaleName(windowsName.c_str())) {
    return EnglishRegionalSettings();
  }
  return SettingsOf(Locale(windowsName.c_str()));
}

}  // namespace tolvanex
