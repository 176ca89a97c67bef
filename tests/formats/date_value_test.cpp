#include "formats/date_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "base/errors.h"
#include "tests/support/german_settings.h"

namespace tolvanex {
namespace {

struct DayCase {
  int Year, Month, Day;
  double Expected;
};

TEST(DayCountOfDate, CountsDaysFromTheThirtiethOfDecember1899) {
  const DayCase cases[] = {
      {1899, 12, 30, 0},       {1899, 12, 29, -1},   {1900, 1, 1, 2},       {1900, 3, 1, 61},
      {1970, 1, 2, 25570},     {2000, 1, 1, 36526},  {2003, 1, 2, 37623},   {2011, 6, 30, 40724},
      {2020, 1, 11, 43841},    {2023, 7, 14, 45121}, {1765, 4, 24, -49192}, {100, 1, 1, -657434},
      {9999, 12, 31, 2958465}, {2024, 2, 29, 45351},
  };
  for (const DayCase& c : cases) {
    EXPECT_EQ(DayCountOfDate(c.Year, c.Month, c.Day), c.Expected)
        << c.Year << "-" << c.Month << "-" << c.Day;
  }
}

TEST(FractionOfTime, IsThePartOfADay) {
  EXPECT_EQ(FractionOfTime(0, 0, 0), 0);
  EXPECT_EQ(FractionOfTime(12, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(FractionOfTime(13, 0, 0), 13.0 / 24);
  EXPECT_DOUBLE_EQ(FractionOfTime(23, 59, 59), 86399.0 / 86400);
}

struct SplitCase {
  double Value;
  CalendarFields Expected;
};

std::string Describe(const CalendarFields& f) {
  return std::to_string(f.Year) + "-" + std::to_string(f.Month) + "-" + std::to_string(f.Day) +
         " " + std::to_string(f.Hour) + ":" + std::to_string(f.Minute) + ":" +
         std::to_string(f.Second) + " weekday " + std::to_string(f.DayOfWeek) + " day " +
         std::to_string(f.DayOfYear);
}

TEST(SplitDayCount, GivesTheFieldsToTheNearestSecond) {
  const SplitCase cases[] = {
      {0, {1899, 12, 30, 0, 0, 0, 7, 364}},
      {45121.3784722222, {2023, 7, 14, 9, 5, 0, 6, 195}},  // raw 09:04:59.999998
      {45121.5416666667, {2023, 7, 14, 13, 0, 0, 6, 195}},
      {2.525, {1900, 1, 1, 12, 36, 0, 2, 1}},  // exact seconds 45359.99999999
      {36526, {2000, 1, 1, 0, 0, 0, 7, 1}},
      {36891.75, {2000, 12, 31, 18, 0, 0, 1, 366}},
      {45121.99999, {2023, 7, 14, 23, 59, 59, 6, 195}},
      {45121.999995, {2023, 7, 15, 0, 0, 0, 7, 196}},  // rounds into the next day
      {-1.25, {1899, 12, 29, 6, 0, 0, 6, 363}},
      {-0.5, {1899, 12, 30, 12, 0, 0, 7, 364}},
      {-49192.24, {1765, 4, 24, 5, 45, 36, 4, 114}},
      {-1.9999999, {1899, 12, 30, 0, 0, 0, 7, 364}},  // 29 Dec 23:59:59.99 rounds up
      {kMinimumDayCount, {100, 1, 1, 0, 0, 0, 6, 1}},
      {kMinimumDayCount - 0.75, {100, 1, 1, 18, 0, 0, 6, 1}},
      {kMaximumDayCount, {9999, 12, 31, 23, 59, 59, 6, 365}},
      {2958465.99999, {9999, 12, 31, 23, 59, 59, 6, 365}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(Describe(SplitDayCount(c.Value)), Describe(c.Expected)) << c.Value;
  }
}

TEST(SplitDayCount, ReadsBackEveryDayOfTheRange) {
  for (int day = static_cast<int>(kMinimumDayCount); day <= kMaximumDayCount; day += 97) {
    // Before day 0 the time is the fraction's magnitude.
    CalendarFields f = SplitDayCount(day < 0 ? day - 0.75 : day + 0.75);
    ASSERT_EQ(DayCountOfDate(f.Year, f.Month, f.Day), day) << Describe(f);
    ASSERT_EQ(f.Hour, 18) << day;
    ASSERT_EQ(DayCountOfDate(f.Year, 1, 1) + f.DayOfYear - 1, day) << Describe(f);
  }
}

TEST(SplitDayCount, OverflowsOutsideTheRangeOfDates) {
  for (double value :
       {kMaximumDayCount + 0.0001, kMinimumDayCount - 1, 3e6, -1e300,
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    try {
      SplitDayCount(value);
      ADD_FAILURE() << value << " was split";
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), kOverflow);
    }
  }
}

TEST(WholeSeconds, RoundsAwayTheNoiseOfReadBackTimes) {
  const double nineFive = DayCountOfDate(2023, 7, 14) + FractionOfTime(9, 5, 0);
  const std::int64_t expected = 45121LL * 86400 + 9 * 3600 + 5 * 60;
  EXPECT_EQ(WholeSeconds(nineFive), expected);
  EXPECT_EQ(WholeSeconds(45121.3784722222), expected);
  EXPECT_EQ(WholeSeconds(nineFive + 1e-11), expected);
  EXPECT_EQ(WholeSeconds(nineFive - 1e-11), expected);
  EXPECT_EQ(WholeSeconds(nineFive + 0.4 / 86400), expected);
  EXPECT_EQ(WholeSeconds(nineFive + 0.6 / 86400), expected + 1);
  EXPECT_EQ(WholeSeconds(0), 0);
  EXPECT_EQ(WholeSeconds(-1.25), -86400 + 21600);
  EXPECT_THROW(WholeSeconds(std::numeric_limits<double>::quiet_NaN()), Failure);
}

// Dates and times read from text.

double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return DayCountOfDate(year, month, day) + FractionOfTime(hour, minute, second);
}

struct TextCase {
  std::string Text;
  double Expected;
};

void ExpectReads(const TextCase& c, const RegionalSettings& regional, int currentYear) {
  std::optional<double> value = ParseDateTime(c.Text, regional, currentYear);
  ASSERT_TRUE(value.has_value()) << "\"" << c.Text << "\" was rejected";
  EXPECT_NEAR(*value, c.Expected, 1e-9) << c.Text;
}

class EnglishDateText : public ::testing::TestWithParam<TextCase> {};

TEST_P(EnglishDateText, Reads) {
  ExpectReads(GetParam(), EnglishRegionalSettings(), 2023);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EnglishDateText,
    ::testing::Values(
        // Times alone are day 0.
        TextCase{"13:00", 13.0 / 24}, TextCase{"1 am", 1.0 / 24}, TextCase{"1 p", 13.0 / 24},
        TextCase{"12:59 AM", FractionOfTime(0, 59, 0)}, TextCase{"00:00 pm", 0.5},
        TextCase{"13:00 AM", 13.0 / 24}, TextCase{"12:00 PM", 0.5},
        TextCase{"12:30 a", FractionOfTime(0, 30, 0)}, TextCase{"9:5", FractionOfTime(9, 5, 0)},
        TextCase{"1:05:02", FractionOfTime(1, 5, 2)}, TextCase{"9:05 pm", FractionOfTime(21, 5, 0)},
        // Month names, weekday names skipped.
        TextCase{"2 Jan 1970", 25570}, TextCase{"2-Jan-1970", 25570}, TextCase{"2/Jan/1970", 25570},
        TextCase{"2 January, 1970", 25570},
        TextCase{"14 Jul 2023 09:05", 45121 + FractionOfTime(9, 5, 0)},
        TextCase{"14 jul 2023 9:05:30 pm", At(2023, 7, 14, 21, 5, 30)},
        TextCase{"JULY 14, 2023", 45121}, TextCase{"Jul 14 2023", 45121},
        TextCase{"2023 Jul 14", 45121}, TextCase{"2023 14 Jul", 45121},
        TextCase{"Friday, 14 July 2023", 45121},
        TextCase{"Fri 14 Jul 2023 13:00", 45121.5 + 1.0 / 24},
        TextCase{"May 5 2023", At(2023, 5, 5)},
        // Two parts: day and month of the current year, else month and year.
        TextCase{"Jan 2", At(2023, 1, 2)}, TextCase{"Jan 35", At(1935, 1, 1)},
        TextCase{"Jul 2023", At(2023, 7, 1)}, TextCase{"7/14", At(2023, 7, 14)},
        TextCase{"14/7", At(2023, 7, 14)}, TextCase{"30 2", At(1930, 2, 1)},
        TextCase{"2/29", At(2029, 2, 1)}, TextCase{"2.5", At(2023, 2, 5)},
        // All numbers: the locale's order, then year-month-day, then the rest.
        TextCase{"1/2/1970", 25570}, TextCase{"1-2-1970", 25570}, TextCase{"13-1-1970", 25581},
        TextCase{"1970-1-13", 25581}, TextCase{"7/8/2023", At(2023, 7, 8)},
        TextCase{"7/14/2023 13:00", At(2023, 7, 14, 13)},
        TextCase{"14/7/2023 09:05", At(2023, 7, 14, 9, 5)},
        TextCase{"6/30/2011 01:20:34 PM", 40724.55594907407},
        TextCase{"2013-05-14 02:04:12", 41408.08625},
        TextCase{"2023-07-14 13:00", 45121 + 13.0 / 24},
        TextCase{"13:00 2023-07-14", At(2023, 7, 14, 13)}, TextCase{"1 2 3", 37623},
        TextCase{"2 14 3", 37666}, TextCase{"14 2 3", At(2014, 2, 3)},
        TextCase{"13/1/05", At(2013, 1, 5)}, TextCase{"02.01.1970", At(1970, 2, 1)},
        TextCase{"2024/2/29", At(2024, 2, 29)},
        // Two-digit years fall in 1930 to 2029.
        TextCase{"1 2 29", At(2029, 1, 2)}, TextCase{"1 2 30", At(1930, 1, 2)},
        TextCase{"1/2/00", At(2000, 1, 2)}, TextCase{"12/31/99", At(1999, 12, 31)},
        // The ends of the range; before day 0 the time counts away from zero.
        TextCase{"12/31/1899 06:00", 1.25}, TextCase{"12/29/1899 06:00", -1.25},
        TextCase{"1/1/100", -657434},
        TextCase{"12/31/9999 23:59:59", At(9999, 12, 31, 23, 59, 59)}));

class RejectedDateText : public ::testing::TestWithParam<std::string> {};

TEST_P(RejectedDateText, IsNoDate) {
  EXPECT_EQ(ParseDateTime(GetParam(), EnglishRegionalSettings(), 2023), std::nullopt) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RejectedDateText,
    ::testing::Values("", "   ", "Date", "SN", "True", "0", "1", "2023", "Jul", "Friday", "24:00",
                      "0:60", "0:00:60", "1:2:3:4", "13:", ":30", "13:00 AM PM", "pm 1", "1 2 3 4",
                      "1.2.3.4", "1;2;3", "1.1-", "/1/2", "1//2", "2013-05-14 02:04:12.017",
                      "Sept 14 2023", "Jan Feb 2023", "14 13:00 Jul 2023", "14 Jul 2023 09:05 x",
                      "\"14 Jul 2023\"", "2/30/2023", "29/2/2023", "31/4/2023", "1/2/10000",
                      "1/1/99999999999", "14 Jul 2023 13:00 14:00", "1-13:00", "13:00-1"));

TEST(ParseDateTime, TakesTheGivenYearForDatesWithoutOne) {
  EXPECT_EQ(ParseDateTime("Jan 2", EnglishRegionalSettings(), 2024), At(2024, 1, 2));
  EXPECT_EQ(ParseDateTime("2/29", EnglishRegionalSettings(), 2024), At(2024, 2, 29));
}

// German names and day-month-year order, with morning and afternoon texts of its own.
RegionalSettings GermanStyle() {
  RegionalSettings german = testing::GermanRegionalSettings();
  german.AmText = "vorm.";
  german.PmText = "nachm.";
  return german;
}

class GermanDateText : public ::testing::TestWithParam<TextCase> {};

TEST_P(GermanDateText, Reads) {
  ExpectReads(GetParam(), GermanStyle(), 2023);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GermanDateText,
    ::testing::Values(TextCase{"02.01.1970", 25570}, TextCase{"2020-01-11", 43841},
                      TextCase{"7/8/2023", At(2023, 8, 7)}, TextCase{"7/14/2023", At(2023, 7, 14)},
                      TextCase{"14.7.2023 09:05", At(2023, 7, 14, 9, 5)},
                      TextCase{"14. Juli 2023 09:05", At(2023, 7, 14, 9, 5)},
                      TextCase{"Freitag, 14. Juli 2023", 45121},
                      TextCase{"3 Mär 2023", At(2023, 3, 3)},
                      TextCase{"3 märz 2023", At(2023, 3, 3)},
                      TextCase{"1 Okt 2023", At(2023, 10, 1)}, TextCase{"1/2", At(2023, 2, 1)},
                      TextCase{"9:05 nachm.", FractionOfTime(21, 5, 0)}, TextCase{"12:00 vorm.", 0},
                      TextCase{"9 p", FractionOfTime(21, 0, 0)}));

TEST(ParseDateTime, ReadsEnglishWordsThatTheLocaleDoesNotKnow) {
  EXPECT_EQ(ParseDateTime("14 Oct 2023 09:05", GermanStyle(), 2023), At(2023, 10, 14, 9, 5));
  EXPECT_EQ(ParseDateTime("1 may 2023", GermanStyle(), 2023), At(2023, 5, 1));
  EXPECT_EQ(ParseDateTime("3 March 2023", GermanStyle(), 2023), At(2023, 3, 3));
  EXPECT_EQ(ParseDateTime("Friday, 14 Dec 2023", GermanStyle(), 2023), At(2023, 12, 14));
  EXPECT_EQ(ParseDateTime("9:05 PM", GermanStyle(), 2023), FractionOfTime(21, 5, 0));
  // Words of neither language, and the locale's words nowhere else.
  EXPECT_EQ(ParseDateTime("14 Oktober 2023", EnglishRegionalSettings(), 2023), std::nullopt);
  EXPECT_EQ(ParseDateTime("14 Octo 2023", GermanStyle(), 2023), std::nullopt);
}

TEST(ParseDateTime, TheLocalesOwnWordsComeBeforeTheEnglishOnes) {
  // A language in which "Mar" is the fifth month and "Sat" a morning marker.
  RegionalSettings other = GermanStyle();
  other.MonthAbbreviations[4] = "Mar";
  other.AmText = "Sat";
  EXPECT_EQ(ParseDateTime("2 Mar 2023", other, 2023), At(2023, 5, 2));
  EXPECT_EQ(ParseDateTime("12:30 Sat", other, 2023), FractionOfTime(0, 30, 0));
  // Its other words still read in English.
  EXPECT_EQ(ParseDateTime("2 Apr 2023", other, 2023), At(2023, 4, 2));
}

TEST(ParseDateTime, TriesMonthDayYearSecondInAYearFirstLocale) {
  RegionalSettings yearFirst;
  yearFirst.ShortDateOrder = DateOrder::YearMonthDay;
  EXPECT_EQ(ParseDateTime("7/8/9", yearFirst, 2023), At(2007, 8, 9));
  EXPECT_EQ(ParseDateTime("12/25/23", yearFirst, 2023), At(2023, 12, 25));
  EXPECT_EQ(ParseDateTime("25/12/23", yearFirst, 2023), At(2025, 12, 23));
  EXPECT_EQ(ParseDateTime("7/8", yearFirst, 2023), At(2023, 7, 8));
}

}  // namespace
}  // namespace tolvanex
