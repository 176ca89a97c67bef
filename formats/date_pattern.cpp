#include "formats/date_pattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/text.h"
#include "formats/date_value.h"
#include "formats/number_text.h"

namespace tolvanex {

namespace {

int TwelveHour(int hour) {
  int h = hour % 12;
  return h == 0 ? 12 : h;
}

void AppendShortDate(std::string& out, const CalendarFields& f, const RegionalSettings& r) {
  switch (r.ShortDateOrder) {
    case DateOrder::MonthDayYear:
      AppendDecimal(out, f.Month, 1);
      out += r.DateSeparator;
      AppendDecimal(out, f.Day, 1);
      out += r.DateSeparator;
      AppendDecimal(out, f.Year, 4);
      break;
    case DateOrder::DayMonthYear:
      AppendDecimal(out, f.Day, 2);
      out += r.DateSeparator;
      AppendDecimal(out, f.Month, 2);
      out += r.DateSeparator;
      AppendDecimal(out, f.Year, 4);
      break;
    case DateOrder::YearMonthDay:
      AppendDecimal(out, f.Year, 4);
      out += r.DateSeparator;
      AppendDecimal(out, f.Month, 2);
      out += r.DateSeparator;
      AppendDecimal(out, f.Day, 2);
      break;
  }
}

void AppendLongDate(std::string& out, const CalendarFields& f, const RegionalSettings& r) {
  const std::string& weekday = r.DayNames[f.DayOfWeek - 1];
  const std::string& month = r.MonthNames[f.Month - 1];
  switch (r.ShortDateOrder) {
    case DateOrder::MonthDayYear:
      out += weekday;
      out += ", ";
      out += month;
      out += ' ';
      AppendDecimal(out, f.Day, 1);
      out += ", ";
      AppendDecimal(out, f.Year, 4);
      break;
    case DateOrder::DayMonthYear:
      out += weekday;
      out += ", ";
      AppendDecimal(out, f.Day, 1);
      out += ' ';
      out += month;
      out += ' ';
      AppendDecimal(out, f.Year, 4);
      break;
    case DateOrder::YearMonthDay:
      AppendDecimal(out, f.Year, 4);
      out += ' ';
      out += month;
      out += ' ';
      AppendDecimal(out, f.Day, 1);
      break;
  }
}

void AppendLongTime(std::string& out, const CalendarFields& f, const RegionalSettings& r) {
  AppendDecimal(out, f.Hour, 2);
  out += r.TimeSeparator;
  AppendDecimal(out, f.Minute, 2);
  out += r.TimeSeparator;
  AppendDecimal(out, f.Second, 2);
}

// Week of the year: week 1 holds 1 January, and a new week starts every Sunday.
int WeekOfYear(const CalendarFields& f) {
  int firstWeekday = ((f.DayOfWeek - 1 - (f.DayOfYear - 1)) % 7 + 7) % 7;  // 0 for Sunday
  return (f.DayOfYear - 1 + firstWeekday) / 7 + 1;
}

// The longest code of each code letter; 0 for letters that are no code.
std::size_t LongestCode(char letter) {
  switch (letter) {
    case 'd':
      return 6;
    case 'm':
    case 'y':
      return 4;
    case 'h':
    case 'n':
    case 's':
    case 'w':
      return 2;
    case 'q':
    case 'c':
      return 1;
    case 't':
      return 5;
    default:
      return 0;
  }
}

}  // namespace

DatePattern::DatePattern(std::string_view pattern) : text_(pattern) {
  std::size_t i = 0;
  while (i < pattern.size()) {
    char c = pattern[i];
    std::string_view rest = pattern.substr(i);
    if (c == '"') {
      std::size_t close = pattern.find('"', i + 1);
      if (close == std::string_view::npos) close = pattern.size();
      AddLiteral(pattern.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (c == '\\') {
      if (i + 1 < pattern.size()) AddLiteral(pattern.substr(i + 1, 1));
      i += 2;
    } else if (rest.substr(0, 5) == "AM/PM" || rest.substr(0, 5) == "am/pm") {
      AddCode(c == 'A' ? Code::MarkerUpper : Code::MarkerLower);
      i += 5;
    } else if (StartsWithIgnoringCase(rest, "ampm")) {
      AddCode(Code::MarkerLocale);
      i += 4;
    } else if (rest.substr(0, 3) == "A/P" || rest.substr(0, 3) == "a/p") {
      AddCode(c == 'A' ? Code::LetterUpper : Code::LetterLower);
      i += 3;
    } else if (c == '/') {
      AddCode(Code::DateSeparator);
      ++i;
    } else if (c == ':') {
      AddCode(Code::TimeSeparator);
      ++i;
    } else if (LongestCode(LowerAscii(c)) != 0) {
      std::size_t run = 1;
      while (i + run < pattern.size() && LowerAscii(pattern[i + run]) == LowerAscii(c)) ++run;
      ReadRun(pattern.substr(i, run));
      i += run;
    } else {
      AddLiteral(pattern.substr(i, 1));
      ++i;
    }
  }
}

void DatePattern::AddLiteral(std::string_view literal) {
  if (literal.empty()) return;
  if (!tokens_.empty() && tokens_.back().Kind == Code::Literal &&
      tokens_.back().Offset + tokens_.back().Length == literals_.size()) {
    tokens_.back().Length += static_cast<std::uint32_t>(literal.size());
  } else {
    tokens_.push_back({Code::Literal, static_cast<std::uint32_t>(literals_.size()),
                       static_cast<std::uint32_t>(literal.size())});
  }
  literals_ += literal;
}

void DatePattern::AddCode(Code code) {
  tokens_.push_back({code, 0, 0});
  if (code == Code::DateSeparator || code == Code::TimeSeparator) return;  // not codes
  if (code >= Code::MarkerUpper && code <= Code::MarkerLocale) twelveHour_ = true;
  afterHour_ = code == Code::Hour || code == Code::Hour2;
}

void DatePattern::ReadRun(std::string_view run) {
  const char letter = LowerAscii(run[0]);
  const std::size_t longest = LongestCode(letter);
  for (; !run.empty(); run.remove_prefix(std::min(run.size(), longest))) {
    std::size_t length = std::min(run.size(), longest);
    switch (letter) {
      case 'd': {
        static constexpr Code kDays[] = {
            Code::Day,         Code::Day2,      Code::WeekdayAbbreviation,
            Code::WeekdayName, Code::ShortDate, Code::LongDate};
        AddCode(kDays[length - 1]);
        break;
      }
      case 'm':
        if (length <= 2 && afterHour_) {
          AddCode(length == 1 ? Code::Minute : Code::Minute2);
        } else {
          static constexpr Code kMonths[] = {Code::Month, Code::Month2, Code::MonthAbbreviation,
                                             Code::MonthName};
          AddCode(kMonths[length - 1]);
        }
        break;
      case 'y':
        if (length == 3) {  // there is no three-letter code: yy, then y
          AddCode(Code::Year2);
          length = 1;
        }
        AddCode(length == 1 ? Code::DayOfYear : length == 2 ? Code::Year2 : Code::Year4);
        break;
      case 'h':
        AddCode(length == 1 ? Code::Hour : Code::Hour2);
        break;
      case 'n':
        AddCode(length == 1 ? Code::Minute : Code::Minute2);
        break;
      case 's':
        AddCode(length == 1 ? Code::Second : Code::Second2);
        break;
      case 'w':
        AddCode(length == 1 ? Code::Weekday : Code::WeekOfYear);
        break;
      case 'q':
        AddCode(Code::Quarter);
        break;
      case 'c':
        AddCode(Code::GeneralDate);
        break;
      case 't':
        // Only five t's make a code; fewer are plain text.
        if (length == 5) {
          AddCode(Code::LongTime);
        } else {
          AddLiteral(run.substr(0, length));
        }
        break;
    }
  }
}

bool DatePattern::Writes(double value) const {
  if (tokens_.empty() && text_.empty()) return std::isfinite(value);
  return value > kMinimumDayCount - 1 && value <= kMaximumDayCount;
}

void DatePattern::AppendTo(std::string& out, double value, const RegionalSettings& regional) const {
  if (tokens_.empty() && text_.empty()) {
    AppendGeneralForm(out, value);
    return;
  }
  const CalendarFields f = SplitDayCount(value);
  const bool morning = f.Hour < 12;
  const int hour = twelveHour_ ? TwelveHour(f.Hour) : f.Hour;
  for (const Token& token : tokens_) {
    switch (token.Kind) {
      case Code::Literal:
        out.append(literals_, token.Offset, token.Length);
        break;
      case Code::DateSeparator:
        out += regional.DateSeparator;
        break;
      case Code::TimeSeparator:
        out += regional.TimeSeparator;
        break;
      case Code::Day:
      case Code::Day2:
        AppendDecimal(out, f.Day, token.Kind == Code::Day ? 1 : 2);
        break;
      case Code::WeekdayAbbreviation:
        out += regional.DayAbbreviations[f.DayOfWeek - 1];
        break;
      case Code::WeekdayName:
        out += regional.DayNames[f.DayOfWeek - 1];
        break;
      case Code::ShortDate:
        AppendShortDate(out, f, regional);
        break;
      case Code::LongDate:
        AppendLongDate(out, f, regional);
        break;
      case Code::Month:
      case Code::Month2:
        AppendDecimal(out, f.Month, token.Kind == Code::Month ? 1 : 2);
        break;
      case Code::MonthAbbreviation:
        out += regional.MonthAbbreviations[f.Month - 1];
        break;
      case Code::MonthName:
        out += regional.MonthNames[f.Month - 1];
        break;
      case Code::Minute:
      case Code::Minute2:
        AppendDecimal(out, f.Minute, token.Kind == Code::Minute ? 1 : 2);
        break;
      case Code::Second:
      case Code::Second2:
        AppendDecimal(out, f.Second, token.Kind == Code::Second ? 1 : 2);
        break;
      case Code::Hour:
      case Code::Hour2:
        AppendDecimal(out, hour, token.Kind == Code::Hour ? 1 : 2);
        break;
      case Code::DayOfYear:
        AppendDecimal(out, f.DayOfYear, 1);
        break;
      case Code::Year2:
        AppendDecimal(out, f.Year % 100, 2);
        break;
      case Code::Year4:
        AppendDecimal(out, f.Year, 4);
        break;
      case Code::Quarter:
        AppendDecimal(out, (f.Month - 1) / 3 + 1, 1);
        break;
      case Code::Weekday:
        AppendDecimal(out, f.DayOfWeek, 1);
        break;
      case Code::WeekOfYear:
        AppendDecimal(out, WeekOfYear(f), 1);
        break;
      case Code::MarkerUpper:
        out += morning ? "AM" : "PM";
        break;
      case Code::MarkerLower:
        out += morning ? "am" : "pm";
        break;
      case Code::LetterUpper:
        out += morning ? 'A' : 'P';
        break;
      case Code::LetterLower:
        out += morning ? 'a' : 'p';
        break;
      case Code::MarkerLocale: {
        // A locale without markers would leave a 12-hour time ambiguous.
        const std::string& text = morning ? regional.AmText : regional.PmText;
        if (text.empty()) {
          out += morning ? "AM" : "PM";
        } else {
          out += text;
        }
        break;
      }
      case Code::GeneralDate: {
        bool dayZero = f.Year == 1899 && f.Month == 12 && f.Day == 30;
        bool midnight = f.Hour == 0 && f.Minute == 0 && f.Second == 0;
        if (!dayZero) AppendShortDate(out, f, regional);
        if (!dayZero && !midnight) out += ' ';
        if (!midnight || dayZero) AppendLongTime(out, f, regional);
        break;
      }
      case Code::LongTime:
        AppendLongTime(out, f, regional);
        break;
    }
  }
}

std::string DatePattern::Format(double value, const RegionalSettings& regional) const {
  std::string text;
  AppendTo(text, value, regional);
  return text;
}

std::string FormatDate(double value, std::string_view pattern, const RegionalSettings& regional) {
  return DatePattern(pattern).Format(value, regional);
}

namespace {

bool BreaksLine(char c) {
  return c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

bool DatePatternAllowed(std::string_view pattern) {
  return std::none_of(pattern.begin(), pattern.end(), BreaksLine);
}

}  // namespace tolvanex
