#include "formats/date_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "base/errors.h"
#include "formats/date_value.h"
#include "tests/support/german_settings.h"

namespace tolvanex {
namespace {

constexpr double kOnePm = 45121.5416666667;     // Friday 14 July 2023 13:00:00
constexpr double kNineFive = 45121.3784722222;  // the same day 09:05:00
constexpr double kTwelveThirtySix = 2.525;      // Monday 1 January 1900 12:36:00

struct PatternCase {
  std::string Pattern;
  double Value;
  std::string Expected;
};

class EnglishPattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(EnglishPattern, Writes) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(FormatDate(c.Value, c.Pattern, EnglishRegionalSettings()), c.Expected) << c.Pattern;
}

INSTANTIATE_TEST_SUITE_P(
    TheOfferedPatterns, EnglishPattern,
    ::testing::Values(PatternCase{"d mmm yyyy HH:MM", kOnePm, "14 Jul 2023 13:00"},
                      PatternCase{"d mmm yyyy HH:MM", kNineFive, "14 Jul 2023 09:05"},
                      PatternCase{"m/d/yyyy HH:MM", kOnePm, "7/14/2023 13:00"},
                      PatternCase{"m/d/yyyy HH:MM", kNineFive, "7/14/2023 09:05"},
                      PatternCase{"yyyy-mm-dd HH:MM", kOnePm, "2023-07-14 13:00"},
                      PatternCase{"yyyy-mm-dd HH:MM", kNineFive, "2023-07-14 09:05"},
                      PatternCase{"d/m/yyyy HH:MM", kOnePm, "14/7/2023 13:00"},
                      PatternCase{"d/m/yyyy HH:MM", kNineFive, "14/7/2023 09:05"},
                      PatternCase{"yymmmdd", kOnePm, "23Jul14"},
                      PatternCase{"yymmmdd", kNineFive, "23Jul14"},
                      PatternCase{"D MMM YYYY hh:mm", kNineFive, "14 Jul 2023 09:05"}));

INSTANTIATE_TEST_SUITE_P(
    FurtherCodes, EnglishPattern,
    ::testing::Values(
        PatternCase{"dd/mm/yy hh:nn:ss", kOnePm, "14/07/23 13:00:00"},
        PatternCase{"dd/mm/yy hh:nn:ss", kNineFive, "14/07/23 09:05:00"},
        PatternCase{"h:m:s", kOnePm, "13:0:0"}, PatternCase{"h:m:s", kNineFive, "9:5:0"},
        PatternCase{"h:mm AM/PM", kOnePm, "1:00 PM"},
        PatternCase{"h:mm AM/PM", kNineFive, "9:05 AM"},
        PatternCase{"hh:mm a/p", kOnePm, "01:00 p"}, PatternCase{"hh:mm a/p", kNineFive, "09:05 a"},
        PatternCase{"h:nn AMPM", kOnePm, "1:00 PM"},
        PatternCase{"h:nn am/pm", kNineFive, "9:05 am"},
        PatternCase{"hh:nn:ss A/P", 0.725, "05:24:00 P"},
        PatternCase{"h:nn AM/PM", FractionOfTime(0, 30, 0), "12:30 AM"},
        PatternCase{"h:nn AM/PM", 0.5, "12:00 PM"},
        PatternCase{"dddd, mmmm d", kOnePm, "Friday, July 14"},
        PatternCase{"ddd d", kNineFive, "Fri 14"}, PatternCase{"mm:ss", kOnePm, "07:00"},
        PatternCase{"\"Date:\" d mmm", kOnePm, "Date: 14 Jul"},
        PatternCase{"\\d\\a\\y d", kOnePm, "day 14"}, PatternCase{"\\\\d", kOnePm, "\\14"},
        PatternCase{"d\"mmm", kOnePm, "14mmm"}, PatternCase{"d\\", kOnePm, "14"},
        PatternCase{"Time: hh", kOnePm, "Ti7e: 13"}, PatternCase{"day d", kOnePm, "14a195 14"},
        PatternCase{"yyy", kTwelveThirtySix, "001"}, PatternCase{"y q w ww", kOnePm, "195 3 6 28"},
        PatternCase{"ww", DayCountOfDate(2023, 1, 7), "1"},
        PatternCase{"ww", DayCountOfDate(2023, 1, 8), "2"},
        PatternCase{"ww w", DayCountOfDate(2022, 1, 1), "1 7"},
        PatternCase{"ww", DayCountOfDate(2022, 1, 2), "2"},
        PatternCase{"mmmmm hhh", kOnePm, "July7 1313"}, PatternCase{"ddddd", kOnePm, "7/14/2023"},
        PatternCase{"dddddd", kOnePm, "Friday, July 14, 2023"},
        PatternCase{"ttttt", kNineFive, "09:05:00"}, PatternCase{"c", kOnePm, "7/14/2023 13:00:00"},
        PatternCase{"c", 45121, "7/14/2023"}, PatternCase{"c", 0.5, "12:00:00"},
        PatternCase{"tt", kOnePm, "tt"},
        PatternCase{"d mmm yyyy hh:nn", -1.25, "29 Dec 1899 06:00"},
        PatternCase{"yyyy", -657434, "0100"}, PatternCase{"\"\"", kOnePm, ""},
        PatternCase{"", kOnePm, "45121.5416666667"}, PatternCase{"", 0, "0"}));

// Minutes for m and mm only when the nearest code before them is an hour.
INSTANTIATE_TEST_SUITE_P(
    MinutesAfterAnHour, EnglishPattern,
    ::testing::Values(PatternCase{"dd mm yyyy hh:mm:ss", kTwelveThirtySix, "01 01 1900 12:36:00"},
                      PatternCase{"dd mm yyyy mm", kTwelveThirtySix, "01 01 1900 01"},
                      PatternCase{"mm :mm:ss", kTwelveThirtySix, "01 :01:00"},
                      PatternCase{"hh:mm :ss:mm", kTwelveThirtySix, "12:36 :00:01"},
                      PatternCase{"hh:dd :mm:mm", kTwelveThirtySix, "12:01 :01:01"},
                      PatternCase{"dd:hh :mm:mm", kTwelveThirtySix, "01:12 :36:01"},
                      PatternCase{"hh :mm:mm", kTwelveThirtySix, "12 :36:01"},
                      PatternCase{"dd :mm:nn", kTwelveThirtySix, "01 :01:36"},
                      PatternCase{"hh yyyy mm", kTwelveThirtySix, "12 1900 01"},
                      PatternCase{"h \"x\" m", kTwelveThirtySix, "12 x 36"},
                      PatternCase{"hh mmm", kTwelveThirtySix, "12 Jan"}));

class GermanPattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(GermanPattern, WritesTheLocalesSeparatorsAndNames) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(FormatDate(c.Value, c.Pattern, testing::GermanRegionalSettings()), c.Expected)
      << c.Pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, GermanPattern,
    ::testing::Values(PatternCase{"m/d/yyyy HH:MM", kOnePm, "7.14.2023 13:00"},
                      PatternCase{"d/m/yyyy HH:MM", kNineFive, "14.7.2023 09:05"},
                      PatternCase{"yyyy-mm-dd HH:MM", kNineFive, "2023-07-14 09:05"},
                      PatternCase{"d mmm yyyy", DayCountOfDate(2023, 3, 1), "1 Mär 2023"},
                      PatternCase{"dddd, d. mmmm yyyy", kOnePm, "Freitag, 14. Juli 2023"},
                      PatternCase{"ddddd", kOnePm, "14.07.2023"},
                      PatternCase{"dddddd", kOnePm, "Freitag, 14 Juli 2023"},
                      PatternCase{"c", kNineFive, "14.07.2023 09:05:00"},
                      // A number form never takes the locale's decimal comma.
                      PatternCase{"", kOnePm, "45121.5416666667"}));

TEST(DatePattern, WritesTheLocalesTimeSeparatorAndMarkers) {
  RegionalSettings regional = EnglishRegionalSettings();
  regional.TimeSeparator = ".";
  regional.DateSeparator = "-";
  regional.ShortDateOrder = DateOrder::YearMonthDay;
  regional.AmText = "vorm.";
  regional.PmText = "nachm.";
  DatePattern pattern("d/m/yyyy hh:mm:ss AMPM ttttt ddddd");
  EXPECT_EQ(pattern.Format(kOnePm, regional), "14-7-2023 01.00.00 nachm. 13.00.00 2023-07-14");
  regional.AmText.clear();
  EXPECT_EQ(pattern.Format(kNineFive, regional), "14-7-2023 09.05.00 AM 09.05.00 2023-07-14");
}

TEST(DatePattern, AppendsToTheTextAndKeepsItsPattern) {
  DatePattern pattern("d mmm yyyy HH:MM");
  EXPECT_EQ(pattern.Text(), "d mmm yyyy HH:MM");
  std::string status = "123/4 ";
  pattern.AppendTo(status, kNineFive, EnglishRegionalSettings());
  EXPECT_EQ(status, "123/4 14 Jul 2023 09:05");
  pattern.AppendTo(status, kOnePm, EnglishRegionalSettings());
  EXPECT_EQ(status, "123/4 14 Jul 2023 09:0514 Jul 2023 13:00");
}

TEST(DatePattern, OverflowsForValuesOutsideTheRangeOfDates) {
  for (const char* text : {"d mmm yyyy", "\"literal only\"", ""}) {
    DatePattern pattern(text);
    std::string out = "kept";
    for (double value : {3e6, -700000.0, std::numeric_limits<double>::quiet_NaN()}) {
      // The empty pattern writes any number in the general form; only NaN is none.
      if (*text == '\0' && !std::isnan(value)) continue;
      try {
        pattern.AppendTo(out, value, EnglishRegionalSettings());
        ADD_FAILURE() << text << " wrote " << value << " as " << out;
      } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), kOverflow);
      }
    }
    EXPECT_EQ(out, "kept");
  }
}

// The text writer reads its dates back: the default and year-first patterns in every locale,
// and the all-number patterns where the order agrees with the locale or the day is above 12.
struct ReadBackCase {
  std::string Pattern;
  bool German;
};

class ReadBack : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBack, GivesTheValueToTheMinute) {
  const RegionalSettings regional =
      GetParam().German ? testing::GermanRegionalSettings() : EnglishRegionalSettings();
  const DatePattern pattern(GetParam().Pattern);
  for (double day = DayCountOfDate(2023, 1, 1); day < DayCountOfDate(2025, 1, 1); day += 1) {
    const double value = day + FractionOfTime(static_cast<int>(day) % 24, 59, 0);
    const std::string text = pattern.Format(value, regional);
    std::optional<double> back = ParseDateTime(text, regional, 2000);
    ASSERT_TRUE(back.has_value()) << text;
    ASSERT_EQ(WholeSeconds(*back), WholeSeconds(value)) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Patterns, ReadBack,
                         ::testing::Values(ReadBackCase{"d mmm yyyy HH:MM", false},
                                           ReadBackCase{"d mmm yyyy HH:MM", true},
                                           ReadBackCase{"yyyy-mm-dd HH:MM", false},
                                           ReadBackCase{"yyyy-mm-dd HH:MM", true},
                                           ReadBackCase{"m/d/yyyy HH:MM", false},
                                           ReadBackCase{"d/m/yyyy HH:MM", true},
                                           ReadBackCase{"dddd, d mmmm yyyy h:nn:ss AMPM", false}));

TEST(ReadBack, ADayAboveTwelveIsTheDayInTheOtherOrder) {
  const double value = DayCountOfDate(2023, 7, 14) + FractionOfTime(9, 5, 0);
  const RegionalSettings english = EnglishRegionalSettings();
  const RegionalSettings german = testing::GermanRegionalSettings();
  EXPECT_EQ(
      WholeSeconds(*ParseDateTime(FormatDate(value, "d/m/yyyy HH:MM", english), english, 2000)),
      WholeSeconds(value));
  EXPECT_EQ(WholeSeconds(*ParseDateTime(FormatDate(value, "m/d/yyyy HH:MM", german), german, 2000)),
            WholeSeconds(value));
}

// The line analysis decides with Writes, before the status text is ever written, whether writing
// the date would fail: both must agree on every value, the edges of the range included.
TEST(DatePatternWrites, SaysExactlyWhenAppendToThrows) {
  const RegionalSettings regional = EnglishRegionalSettings();
  const double edges[] = {kMinimumDayCount - 1,
                          std::nextafter(kMinimumDayCount - 1, 0.0),
                          kMaximumDayCount,
                          std::nextafter(kMaximumDayCount, 1e9),
                          0,
                          -0.5,
                          std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN(),
                          1e300};
  for (const char* text : {"d mmm yyyy HH:MM", "", "\\x", "yyyy"}) {
    DatePattern pattern(text);
    for (double value : edges) {
      bool threw = false;
      std::string out;
      try {
        pattern.AppendTo(out, value, regional);
      } catch (const Failure&) {
        threw = true;
      }
      EXPECT_EQ(pattern.Writes(value), !threw) << text << " " << value;
    }
  }
}

}  // namespace
}  // namespace tolvanex
