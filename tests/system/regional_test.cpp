#include "system/regional.h"
#include "tests/support/guards.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace tolvanex {
namespace {

void ExpectSame(const RegionalSettings& actual, const RegionalSettings& expected) {
  EXPECT_EQ(actual.MonthAbbreviations, expected.MonthAbbreviations);
  EXPECT_EQ(actual.MonthNames, expected.MonthNames);
  EXPECT_EQ(actual.DayAbbreviations, expected.DayAbbreviations);
  EXPECT_EQ(actual.DayNames, expected.DayNames);
  EXPECT_EQ(actual.AmText, expected.AmText);
  EXPECT_EQ(actual.PmText, expected.PmText);
  EXPECT_EQ(actual.ShortDateOrder, expected.ShortDateOrder);
  EXPECT_EQ(actual.DateSeparator, expected.DateSeparator);
  EXPECT_EQ(actual.TimeSeparator, expected.TimeSeparator);
  EXPECT_EQ(actual.DecimalSeparator, expected.DecimalSeparator);
  EXPECT_EQ(actual.GroupSeparator, expected.GroupSeparator);
}

TEST(RegionalSettingsFromLocale, TheCLocaleReadsAsEnglish) {
  for (const char* name : {"C", "POSIX"}) {
    SCOPED_TRACE(name);
    ExpectSame(RegionalSettingsFromLocale(name), EnglishRegionalSettings());
  }
}

TEST(RegionalSettingsFromLocale, AnUnknownLocaleFallsBackToTheCLocale) {
  ExpectSame(RegionalSettingsFromLocale("xx_NOWHERE.UTF-8"), EnglishRegionalSettings());
  ExpectSame(RegionalSettingsFromLocale("no such locale"), EnglishRegionalSettings());
}

TEST(RegionalSettingsFromLocale, TheEmptyNameTakesTheLocaleOfTheEnvironment) {
  {
    testing::EnvironmentVariable all("LC_ALL", "C");
    ExpectSame(RegionalSettingsFromLocale(""), EnglishRegionalSettings());
  }
  {
    testing::EnvironmentVariable all("LC_ALL", "xx_NOWHERE.UTF-8");
    ExpectSame(RegionalSettingsFromLocale(""), EnglishRegionalSettings());
  }
}

// Locales that are installed on some machines only.
struct InstalledLocale {
  const char* Name;
  DateOrder Order;
  const char* DateSeparator;
  const char* TimeSeparator;
  const char* DecimalSeparator;
  const char* MarchName;
  const char* SundayAbbreviation;
};

class InstalledLocaleCase : public ::testing::TestWithParam<InstalledLocale> {};

TEST_P(InstalledLocaleCase, ReadsItsNamesAndSeparators) {
  const InstalledLocale& expected = GetParam();
  locale_t probe = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, expected.Name, locale_t{});
  if (probe == locale_t{}) GTEST_SKIP() << expected.Name << " is not installed";
  freelocale(probe);

  RegionalSettings settings = RegionalSettingsFromLocale(expected.Name);
  EXPECT_EQ(settings.ShortDateOrder, expected.Order);
  EXPECT_EQ(settings.DateSeparator, expected.DateSeparator);
  EXPECT_EQ(settings.TimeSeparator, expected.TimeSeparator);
  EXPECT_EQ(settings.DecimalSeparator, expected.DecimalSeparator);
  EXPECT_EQ(settings.MonthNames[2], expected.MarchName);
  EXPECT_EQ(settings.DayAbbreviations[0], expected.SundayAbbreviation);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, InstalledLocaleCase,
    ::testing::Values(
        InstalledLocale{"de_DE.UTF-8", DateOrder::DayMonthYear, ".", ":", ",", "März", "So"},
        InstalledLocale{"en_GB.UTF-8", DateOrder::DayMonthYear, "/", ":", ".", "March", "Sun"},
        InstalledLocale{"en_US.UTF-8", DateOrder::MonthDayYear, "/", ":", ".", "March", "Sun"},
        InstalledLocale{"sv_SE.UTF-8", DateOrder::YearMonthDay, "-", ":", ",", "mars", "sön"},
        // Its formats join the fields with characters, not separators.
        InstalledLocale{"ja_JP.UTF-8", DateOrder::YearMonthDay, "/", ":", ".", "3月", "日"}),
    [](const ::testing::TestParamInfo<InstalledLocale>& info) {
      std::string name = info.param.Name;
      return name.substr(0, name.find('.'));
    });

TEST(RegionalSettingsFromLocale, GermanGroupsWithAPoint) {
  locale_t probe = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", locale_t{});
  if (probe == locale_t{}) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  freelocale(probe);
  RegionalSettings german = RegionalSettingsFromLocale("de_DE.UTF-8");
  EXPECT_EQ(german.GroupSeparator, ".");
  EXPECT_EQ(german.MonthAbbreviations[2], "Mär");
  EXPECT_EQ(german.DayNames[5], "Freitag");
}

}  // namespace
}  // namespace tolvanex
