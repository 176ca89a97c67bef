#include "system/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <string_view>

namespace tolvanex {

namespace {

// The name the environment gives a category, as setlocale(category, "") would resolve it.
std::string_view EnvironmentLocaleName(const char* categoryVariable) {
  for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

bool IsCLocaleName(std::string_view name) {
  return name == "C" || name == "POSIX" || name.substr(0, 2) == "C.";
}

// The order and first separator of a date or time format such as "%d.%m.%Y" or "%H:%M:%S".
struct FormatShape {
  char Fields[3] = {0, 0, 0};  // 'd', 'm', 'y', 'H', 'M', ... in the order they appear
  int Count = 0;
  std::string Separator;  // the text between the first two fields
};

void AddField(FormatShape& shape, char field, std::string& pending) {
  if (shape.Count == 1 && shape.Separator.empty()) shape.Separator = pending;
  pending.clear();
  if (shape.Count < 3) shape.Fields[shape.Count] = field;
  ++shape.Count;
}

FormatShape ShapeOf(std::string_view format) {
  FormatShape shape;
  std::string pending;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      pending += format[i];
      continue;
    }
    ++i;
    // Flags, widths and the E and O modifiers change how a field is written, not which it is.
    while (i < format.size() &&
           std::string_view("-_0^#EO123456789").find(format[i]) != std::string_view::npos) {
      ++i;
    }
    if (i >= format.size()) break;
    switch (char c = format[i]) {
      case 'd':
      case 'e':
        AddField(shape, 'd', pending);
        break;
      case 'm':
        AddField(shape, 'm', pending);
        break;
      case 'y':
      case 'Y':
      case 'C':
        AddField(shape, 'y', pending);
        break;
      case 'D':  // %m/%d/%y
        AddField(shape, 'm', pending);
        pending = "/";
        AddField(shape, 'd', pending);
        AddField(shape, 'y', pending);
        break;
      case 'F':  // %Y-%m-%d
        AddField(shape, 'y', pending);
        pending = "-";
        AddField(shape, 'm', pending);
        AddField(shape, 'd', pending);
        break;
      case 'T':  // %H:%M:%S
      case 'R':  // %H:%M
      case 'r':  // %I:%M:%S %p
        AddField(shape, 'H', pending);
        pending = ":";
        AddField(shape, 'M', pending);
        break;
      case 'n':
      case 't':
        pending += ' ';
        break;
      case '%':
        pending += '%';
        break;
      default:
        AddField(shape, c, pending);
        break;
    }
  }
  return shape;
}

// A separator is taken only when it is plain punctuation: "年" or an empty text between the
// fields says nothing about the separator that "/" or ":" should write.
std::string SeparatorOf(const FormatShape& shape, const char* fallback) {
  std::string separator;
  for (char c : shape.Separator) {
    if (c != ' ') separator += c;
  }
  if (separator.empty()) return fallback;
  for (char c : separator) {
    auto u = static_cast<unsigned char>(c);
    bool punctuation =
        u > 0x20 && u < 0x7F &&
        !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    if (!punctuation) return fallback;
  }
  return separator;
}

DateOrder OrderOf(const FormatShape& shape) {
  if (shape.Count < 2) return DateOrder::MonthDayYear;
  if (shape.Fields[0] == 'y') return DateOrder::YearMonthDay;
  for (int i = 0; i < shape.Count && i < 3; ++i) {
    if (shape.Fields[i] == 'd') return DateOrder::DayMonthYear;
    if (shape.Fields[i] == 'm') return DateOrder::MonthDayYear;
  }
  return DateOrder::MonthDayYear;
}

RegionalSettings SettingsOf(locale_t locale, bool cNumeric) {
  auto text = [locale](nl_item item) { return std::string(nl_langinfo_l(item, locale)); };
  RegionalSettings settings;
  for (int m = 0; m < 12; ++m) {
    settings.MonthAbbreviations[m] = text(ABMON_1 + m);
    settings.MonthNames[m] = text(MON_1 + m);
  }
  for (int d = 0; d < 7; ++d) {  // both lists start with Sunday
    settings.DayAbbreviations[d] = text(ABDAY_1 + d);
    settings.DayNames[d] = text(DAY_1 + d);
  }
  settings.AmText = text(AM_STR);
  settings.PmText = text(PM_STR);
  FormatShape date = ShapeOf(text(D_FMT));
  settings.ShortDateOrder = OrderOf(date);
  settings.DateSeparator = SeparatorOf(date, "/");
  settings.TimeSeparator = SeparatorOf(ShapeOf(text(T_FMT)), ":");
  settings.DecimalSeparator = text(RADIXCHAR);
  if (settings.DecimalSeparator.empty()) settings.DecimalSeparator = ".";
  settings.GroupSeparator = text(THOUSEP);
  if (cNumeric && settings.GroupSeparator.empty()) settings.GroupSeparator = ",";
  return settings;
}

}  // namespace

RegionalSettings RegionalSettingsFromLocale(const char* localeName) {
  std::string_view name = localeName != nullptr ? localeName : "";
  locale_t locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, name.data(), locale_t{});
  bool cNumeric = IsCLocaleName(name.empty() ? EnvironmentLocaleName("LC_NUMERIC") : name);
  if (locale == locale_t{}) {
    locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "C", locale_t{});
    cNumeric = true;
    if (locale == locale_t{}) return EnglishRegionalSettings();
  }
  RegionalSettings settings = SettingsOf(locale, cNumeric);
  freelocale(locale);
  return settings;
}

}  // namespace tolvanex
