#include "formats/locale_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "tests/support/german_settings.h"

namespace tolvanex {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct Case {
  const char* Text;
  std::optional<double> Value;  // no value: not a number
};

void ExpectReadings(const RegionalSettings& regional, const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ReadLocaleNumber(c.Text, regional), c.Value);
  }
}

TEST(ReadLocaleNumber, ReadsTheCLocalesNumbers) {
  ExpectReadings(EnglishRegionalSettings(), {{"42", 42},
                                             {" 42 ", 42},
                                             {"+5", 5},
                                             {"-5", -5},
                                             {"1,234", 1234},
                                             {"1,2,3", 123},
                                             {"12.5", 12.5},
                                             {".5", 0.5},
                                             {"5.", 5},
                                             {"-1,234.25", -1234.25},
                                             {"1e3", 1000},
                                             {"1.5E+2", 150},
                                             {"25e-2", 0.25},
                                             {"1e400", kInfinity},
                                             {"-1e400", -kInfinity},
                                             {"1e-400", 0},
                                             {"0.0001e-320", 0}});
}

TEST(ReadLocaleNumber, RefusesEverythingElseInTheCLocale) {
  ExpectReadings(EnglishRegionalSettings(),
                 {{"", {}},     {"   ", {}},  {"$5", {}},        {"5$", {}},  {"(5)", {}},
                  {"5-", {}},   {"- 5", {}},  {"+-5", {}},       {"1 2", {}}, {"1.2.3", {}},
                  {",12", {}},  {"-,12", {}}, {"1,234.5,6", {}}, {"abc", {}}, {"12abc", {}},
                  {"1e", {}},   {"1e+", {}},  {"e5", {}},        {".", {}},   {"+", {}},
                  {"0x10", {}}, {"inf", {}},  {"nan", {}},       {"1d2", {}}, {"12,5%", {}}});
}

TEST(ReadLocaleNumber, FollowsADecimalCommaLocale) {
  ExpectReadings(testing::GermanRegionalSettings(), {{"1.234", 1234},
                                                     {"12,5", 12.5},
                                                     {"1.234,5", 1234.5},
                                                     {"12.5", 125},
                                                     {",5", 0.5},
                                                     {"-1.000.000", -1000000},
                                                     {"1,5e3", 1500},
                                                     {".5", {}},
                                                     {"1,2,3", {}},
                                                     {"1,234.5", {}}});
}

TEST(ReadLocaleNumber, TakesSeparatorsOfMoreThanOneByte) {
  RegionalSettings french;
  french.DecimalSeparator = ",";
  french.GroupSeparator = "\xC2\xA0";  // no-break space
  ExpectReadings(french, {{"1\xC2\xA0"
                           "234,5",
                           1234.5},
                          {"1\xC2"
                           "234",
                           {}}});
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
  const std::vector<std::pair<double, double>> cases{
      {0.5, 0},   {1.5, 2},  {2.5, 2},   {3.5, 4},   {12.5, 12},   {13.5, 14},
      {-2.5, -2}, {-0.5, 0}, {12.6, 13}, {12.4, 12}, {-12.6, -13}, {2147483647.5, 2147483648.0}};
  for (auto [value, rounded] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(RoundHalfEven(value), rounded);
  }
}

}  // namespace
}  // namespace tolvanex
