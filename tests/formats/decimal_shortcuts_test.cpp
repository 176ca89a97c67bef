#include "formats/decimal_shortcuts.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "formats/number_text.h"

namespace tolvanex {
namespace {

std::optional<double> ReadPlainDecimal(std::string_view field, KnownDigits* known = nullptr) {
  double value = 0;
  if (!ReadPlainDecimalInto(field, value, known)) return std::nullopt;
  return value;
}

// What std::from_chars makes of a plain decimal (it takes no "+" sign).
double FromChars(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  double value = 0;
  auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(error, std::errc()) << text;
  EXPECT_EQ(rest, text.data() + text.size()) << text;
  return value;
}

std::string RandomDecimal(std::mt19937_64& random) {
  std::string text;
  switch (random() % 4) {
    case 0:
      text += '-';
      break;
    case 1:
      if (random() % 4 == 0) text += '+';
      break;
    default:
      break;
  }
  int digits = 1 + static_cast<int>(random() % 17);
  int point = static_cast<int>(random() % (digits + 1));
  for (int i = 0; i < digits; ++i) {
    if (i == point && random() % 2 == 0) text += '.';
    text += static_cast<char>('0' + random() % 10);
  }
  return text;
}

TEST(ReadPlainDecimal, GivesBitForBitWhatTheGeneralReadingGives) {
  std::mt19937_64 random(42);
  int taken = 0;
  for (int n = 0; n < 200000; ++n) {
    std::string text = RandomDecimal(random);
    std::optional<double> quick = ReadPlainDecimal(text);
    if (!quick) continue;
    ++taken;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(*quick), std::bit_cast<std::uint64_t>(FromChars(text)))
        << text;
  }
  EXPECT_GT(taken, 150000);  // the shortcut covers the usual readings
}

TEST(ReadPlainDecimal, LeavesEverythingElseToTheGeneralReading) {
  for (std::string_view text : {"", "-", ".", "1e5", "1 2", " 7", "7 ", "1.2.3", "12abc", "1,5",
                                "9007199254740993", "0.12345678901234567890123", "--1", "1D2"}) {
    EXPECT_FALSE(ReadPlainDecimal(text)) << text;
  }
  EXPECT_EQ(ReadPlainDecimal("5."), 5.0);
  EXPECT_EQ(ReadPlainDecimal(".25"), 0.25);
  EXPECT_TRUE(std::signbit(*ReadPlainDecimal("-0")));
  EXPECT_EQ(ReadPlainDecimal("9007199254740991"), 9007199254740991.0);
}

// Texts of digits, points and signs among the characters next to them in value and others: the
// shortcut takes exactly the plain decimals of at most 18 digits and a mantissa below 2^53.
TEST(ReadPlainDecimal, TakesExactlyThePlainDecimals) {
  const std::string alphabet = "0123456789012345678901234567890123456789..+-/:e \xB5\x3A\xF0";
  std::mt19937_64 random(11);
  for (int n = 0; n < 200000; ++n) {
    std::string text(random() % 23, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];

    std::string_view unsigned_(text);
    if (!unsigned_.empty() && (unsigned_[0] == '-' || unsigned_[0] == '+'))
      unsigned_.remove_prefix(1);
    std::string digits;
    int others = 0;
    int points = 0;
    for (char c : unsigned_) {
      if (c >= '0' && c <= '9') {
        digits += c;
      } else {
        ++(c == '.' ? points : others);
      }
    }
    bool plain = others == 0 && points <= 1 && !digits.empty() && digits.size() <= 18 &&
                 text.size() <= 20 && std::stoull(digits) < (std::uint64_t{1} << 53);

    std::optional<double> quick = ReadPlainDecimal(text);
    ASSERT_EQ(quick.has_value(), plain) << text;
    if (quick) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(*quick), std::bit_cast<std::uint64_t>(FromChars(text)))
          << text;
    }
  }
}

// The general form with the digits known from the text against the general form found afresh.
TEST(KnownDigits, WriteWhatTheValueAloneWrites) {
  std::mt19937_64 random(11);
  int known = 0;
  for (int n = 0; n < 200000; ++n) {
    std::string text = RandomDecimal(random);
    KnownDigits digits;
    std::optional<double> value = ReadPlainDecimal(text, &digits);
    if (!value) continue;
    if (digits.Magnitude >= 0) ++known;
    std::string quick;
    AppendGeneralForm(quick, *value, &digits);
    ASSERT_EQ(quick, GeneralForm(*value)) << text;
    std::string magnitude;
    AppendGeneralForm(magnitude, std::fabs(*value), &digits);
    ASSERT_EQ(magnitude, GeneralForm(std::fabs(*value))) << text;
  }
  EXPECT_GT(known, 100000);
}

TEST(KnownDigits, CountOnlyForTheirOwnValue) {
  KnownDigits digits;
  ASSERT_EQ(ReadPlainDecimal("12.50", &digits), 12.5);
  EXPECT_EQ(digits.Magnitude, 12.5);
  std::string text;
  AppendGeneralForm(text, 7.25, &digits);  // the slot was set without its text
  EXPECT_EQ(text, "7.25");
  ReadPlainDecimal("1234567890123456", &digits);  // 16 digits: rounded when written
  EXPECT_LT(digits.Magnitude, 0);
  ReadPlainDecimal("0.000", &digits);
  EXPECT_LT(digits.Magnitude, 0);
  ReadPlainDecimal("1e3", &digits);
  EXPECT_LT(digits.Magnitude, 0);
}

std::string Text(const DecimalDigits& digits) {
  return std::string(digits.Digits, digits.Count) + "e" + std::to_string(digits.Exponent);
}

TEST(ShortDigits, AreTheFifteenDigitRoundingWheneverTheyApply) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> exponent(-30, 30);
  int taken = 0;
  for (int n = 0; n < 200000; ++n) {
    double value;
    if (n % 2 == 0) {
      // Values as a logger writes them: a few digits read from text.
      value = std::stod(std::to_string(random() % 100000000) + "e" +
                        std::to_string(exponent(random) / 3));
    } else {
      value = std::bit_cast<double>(random() >> 2);  // any positive bit pattern
    }
    if (!std::isfinite(value) || value <= 0) continue;
    std::optional<DecimalDigits> quick = ShortDigits(value);
    if (!quick) continue;
    ++taken;
    ASSERT_EQ(Text(*quick), Text(RoundedDigits(value))) << value;
  }
  EXPECT_GT(taken, 85000);  // the logger-like half, but for values of 1e15 and more
}

TEST(ShortDigits, StepAsideForValuesThatNeedMoreDigits) {
  EXPECT_FALSE(ShortDigits(0.1 + 0.2));  // 0.30000000000000004
  EXPECT_EQ(Text(RoundedDigits(0.1 + 0.2)), "3e-1");
  EXPECT_EQ(Text(RoundedDigits(999999999999999.9)), "1e15");
  EXPECT_FALSE(ShortDigits(5e-324));  // subnormal: "5" alone would lose digits
  EXPECT_FALSE(ShortDigits(3.1156125903707167e-310));
}

}  // namespace
}  // namespace tolvanex
