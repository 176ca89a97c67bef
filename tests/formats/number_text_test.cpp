#include "formats/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "base/errors.h"

namespace tolvanex {
namespace {

struct FieldCase {
  std::string Field;
  double Expected;
};

class ReadFieldNumberCase : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ReadFieldNumberCase, ReadsTheLeadingNumber) {
  EXPECT_EQ(ReadFieldNumber(GetParam().Field), GetParam().Expected) << GetParam().Field;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ReadFieldNumberCase,
    ::testing::Values(
        FieldCase{"12.5", 12.5}, FieldCase{"12.5abc", 12.5}, FieldCase{"abc", 0},
        FieldCase{"1 2.5", 12.5}, FieldCase{"-3", -3}, FieldCase{"1e3", 1000},
        FieldCase{"1D2", 100}, FieldCase{"1d2", 100}, FieldCase{"2.5E+1", 25},
        FieldCase{"1e-3", 0.001}, FieldCase{"  +.5", 0.5}, FieldCase{"-.5", -0.5},
        FieldCase{".", 0}, FieldCase{"-", 0}, FieldCase{"-.", 0}, FieldCase{"1.2.3", 1.2},
        FieldCase{"1e", 1}, FieldCase{"1e+", 1}, FieldCase{"1ex", 1}, FieldCase{"- 3", -3},
        FieldCase{"3-", 3}, FieldCase{"1,234", 1}, FieldCase{"$5", 0},
        FieldCase{" 1615 198th Street", 1615198}, FieldCase{"24 and 57", 24}, FieldCase{"+-3", 0},
        FieldCase{"--3", 0}, FieldCase{"&H10", 0}, FieldCase{"&HFFFF", 0}, FieldCase{"0x1F", 0},
        FieldCase{"", 0}, FieldCase{"   ", 0}, FieldCase{"1\t2\n3", 123}, FieldCase{"1 e 2", 100},
        FieldCase{"12.", 12}, FieldCase{"12.5%", 12.5}, FieldCase{"1.5e1.5", 15},
        FieldCase{"0.1", 0.1}, FieldCase{"\r5", 0}, FieldCase{"1e-400", 0}, FieldCase{"-1e-400", 0},
        FieldCase{"0e999999", 0}, FieldCase{"0.001e310", 1e307},
        FieldCase{"1e-99999999999999999999", 0}, FieldCase{"000000000000000000012", 12}));

TEST(ReadFieldNumber, ValuesBeyondTheDoubleRangeOverflow) {
  const std::string fields[] = {
      "1e400",        "-1e400", "1e99999999999999999999", "1.8e308", std::string(400, '9'),
      "123456789e301"};
  for (const std::string& field : fields) {
    try {
      ReadFieldNumber(field);
      ADD_FAILURE() << field << " did not overflow";
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), kOverflow);
    }
  }
}

TEST(ReadFieldNumber, ReadsFieldsLongerThanItsStackBuffer) {
  EXPECT_EQ(ReadFieldNumber(std::string(300, ' ') + "42"), 42);
  EXPECT_EQ(ReadFieldNumber("1" + std::string(99, '0')), 1e99);
  EXPECT_EQ(ReadFieldNumber("0." + std::string(200, '0') + "5x"), 5e-201);
  EXPECT_EQ(ReadFieldNumber(std::string(150, ' ') + "-2 . 5 D 1" + std::string(150, 'x')), -25);
}

struct GeneralCase {
  double Value;
  std::string Expected;
};

class GeneralFormCase : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormCase, WritesFifteenSignificantDigits) {
  EXPECT_EQ(GeneralForm(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralFormCase,
    ::testing::Values(
        // The runtime's own verified values.
        GeneralCase{0.56789, "0.56789"}, GeneralCase{5.6789e-5, "0.000056789"},
        GeneralCase{5.6789e-11, "0.000000000056789"}, GeneralCase{5.6789e-12, "5.6789E-12"},
        GeneralCase{1e14, "100000000000000"}, GeneralCase{999999999999999, "999999999999999"},
        GeneralCase{1e15, "1E+15"}, GeneralCase{3.14159265358979323846, "3.14159265358979"},
        GeneralCase{12.345678901234567, "12.3456789012346"}, GeneralCase{0.000015, "0.000015"},
        GeneralCase{0.00001, "0.00001"},
        // Plain and exponent forms around their limits.
        GeneralCase{0, "0"}, GeneralCase{-0.0, "0"}, GeneralCase{1, "1"}, GeneralCase{-3, "-3"},
        GeneralCase{100, "100"}, GeneralCase{12.5, "12.5"}, GeneralCase{-0.25, "-0.25"},
        GeneralCase{0.5, "0.5"}, GeneralCase{1.2e15, "1.2E+15"}, GeneralCase{1.234e16, "1.234E+16"},
        GeneralCase{-1.5e20, "-1.5E+20"}, GeneralCase{1e-15, "0.000000000000001"},
        GeneralCase{1.5e-15, "1.5E-15"}, GeneralCase{0.123456789012345, "0.123456789012345"},
        GeneralCase{0.0123456789012345, "0.0123456789012345"},
        GeneralCase{0.000123456789012345, "0.000123456789012345"},
        GeneralCase{0.0000123456789012345, "1.23456789012345E-05"},
        GeneralCase{0.1 / 3, "0.0333333333333333"}, GeneralCase{999999999999999.9, "1E+15"},
        GeneralCase{123456789012345678.0, "1.23456789012346E+17"}, GeneralCase{1e300, "1E+300"},
        GeneralCase{1e-300, "1E-300"}, GeneralCase{DBL_MAX, "1.79769313486232E+308"},
        GeneralCase{4.9406564584124654e-324, "4.94065645841247E-324"},
        // Sums and quotients whose binary form carries noise past the 15th digit.
        GeneralCase{0.1 + 0.2, "0.3"}, GeneralCase{1.0 / 3, "0.333333333333333"},
        GeneralCase{2.0 / 3, "0.666666666666667"},
        GeneralCase{45121.5416666667, "45121.5416666667"},
        GeneralCase{45121.0 + 13.0 / 24, "45121.5416666667"},
        GeneralCase{45121.3784722222, "45121.3784722222"}));

TEST(GeneralForm, AppendsToWhatTheTextHolds) {
  std::string line = "9999,";
  AppendGeneralForm(line, 12.5);
  line += ',';
  AppendGeneralForm(line, -0.0);
  EXPECT_EQ(line, "9999,12.5,0");
}

TEST(GeneralForm, RefusesValuesThatAreNotNumbers) {
  for (double value :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    std::string out = "kept";
    try {
      AppendGeneralForm(out, value);
      ADD_FAILURE() << value << " was written as " << out;
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), kOverflow);
    }
    EXPECT_EQ(out, "kept");
  }
}

struct OneDecimalCase {
  float Value;
  std::string Expected;
};

class FormatOneDecimalCase : public ::testing::TestWithParam<OneDecimalCase> {};

TEST_P(FormatOneDecimalCase, RoundsTheSevenDigitTextHalfAwayFromZero) {
  EXPECT_EQ(FormatOneDecimal(GetParam().Value), GetParam().Expected) << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatOneDecimalCase,
    ::testing::Values(OneDecimalCase{0.7f, "0.7"}, OneDecimalCase{0.15f, "0.2"},
                      OneDecimalCase{0.25f, "0.3"}, OneDecimalCase{1.45f, "1.5"},
                      OneDecimalCase{-0.25f, "-0.3"}, OneDecimalCase{9.96f, "10.0"},
                      OneDecimalCase{0.0f, "0.0"}, OneDecimalCase{-0.0f, "0.0"},
                      OneDecimalCase{-0.04f, "-0.0"}, OneDecimalCase{1.5f, "1.5"},
                      OneDecimalCase{31.5f, "31.5"}, OneDecimalCase{0.05f, "0.1"},
                      OneDecimalCase{0.04999f, "0.0"}, OneDecimalCase{99.95f, "100.0"},
                      OneDecimalCase{0.0001f, "0.0"}, OneDecimalCase{123456.7f, "123456.7"},
                      OneDecimalCase{9999999.0f, "9999999.0"}, OneDecimalCase{1e8f, "100000000.0"},
                      OneDecimalCase{FLT_MAX, "340282300000000000000000000000000000000.0"}));

TEST(FormatOneDecimal, RefusesValuesThatAreNotNumbers) {
  EXPECT_THROW(FormatOneDecimal(std::numeric_limits<float>::quiet_NaN()), Failure);
  EXPECT_THROW(FormatOneDecimal(std::numeric_limits<float>::infinity()), Failure);
}

}  // namespace
}  // namespace tolvanex
