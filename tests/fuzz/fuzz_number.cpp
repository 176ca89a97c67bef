// Numbers of the data fields and the general number form written back into the files.
//
// The input is read as a data field; its first eight bytes, when there are eight, are also taken
// as a double as it is held in memory, so that values no field would give are written too.
// - A field reads as a finite value, or throws the overflow failure; blanks, tabs and line feeds
//   added to it change nothing.
// - Written with the digits the read kept, the value gives exactly the bytes the general form
//   gives without them: the shortcut may never change a file.
// - The general form agrees with the C library's "%.15G" turned into the form's plain-decimal
//   and negative-zero rules (the fuzz process runs in the C locale, so "." is the point).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "formats/decimal_shortcuts.h"
#include "formats/number_text.h"
#include "tests/fuzz/fuzz_support.h"

namespace tolvanex::fuzz {
namespace {

// The general form by another road: 15 significant digits from printf, then plain decimals
// wherever at most 15 places after the point are needed.
std::string ReferenceGeneralForm(double value) {
  if (value == 0) return "0";
  char text[64];
  std::snprintf(text, sizeof text, "%.15G", value);
  std::string result(text);
  auto e = result.find('E');
  if (e == std::string::npos || result[e + 1] != '-') return result;
  // A small magnitude: count the decimals its digits need when written out plainly.
  int exponent = std::stoi(result.substr(e + 1));
  std::string mantissa = result.substr(0, e);
  auto point = mantissa.find('.');
  int fractionDigits =
      point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  int decimals = -exponent + fractionDigits;
  if (decimals > 15) return result;
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  result = text;
  while (result.back() == '0') result.pop_back();
  if (result.back() == '.') result.pop_back();
  return result;
}

void CheckGeneralForm(double value, const KnownDigits* known) {
  std::string plain;
  AppendGeneralForm(plain, value);
  FUZZ_CHECK(plain == GeneralForm(value));
  FUZZ_CHECK(plain == ReferenceGeneralForm(value));
  if (known != nullptr) {
    std::string withDigits = "prefix";
    AppendGeneralForm(withDigits, value, known);
    FUZZ_CHECK(std::string_view(withDigits).substr(6) == plain);
  }
}

// The field's value, or none when it overflows.
std::optional<double> ValueOf(std::string_view field) {
  try {
    return ReadFieldNumber(field);
  } catch (const Failure& failure) {
    // Beyond the range of a double, which the line analysis reports.
    FUZZ_CHECK(std::string_view(failure.what()) == kOverflow);
    return std::nullopt;
  }
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckField(std::string_view field) {
  std::optional<double> value = ValueOf(field);
  // Blanks, tabs and line feeds count nowhere in a field. One in front also takes the read off
  // its quick way for plain decimals, so both ways must agree.
  std::string blankFirst = " " + std::string(field);
  std::string tabInside(field);
  tabInside.insert(tabInside.size() / 2, "\t\n");
  for (const std::string& variant : {blankFirst, tabInside}) {
    std::optional<double> again = ValueOf(variant);
    FUZZ_CHECK(again.has_value() == value.has_value());
    if (value) FUZZ_CHECK(SameBits(*again, *value));
  }
  if (!value) {
    KnownDigits known;
    try {
      ReadFieldNumber(field, &known);
      FUZZ_CHECK(!"the read overflows only without digits to keep");
    } catch (const Failure&) {
    }
    return;
  }
  FUZZ_CHECK(std::isfinite(*value));
  KnownDigits known;
  FUZZ_CHECK(SameBits(ReadFieldNumber(field, &known), *value));
  CheckGeneralForm(*value, &known);
}

void CheckValue(double value) {
  if (!std::isfinite(value)) {
    std::string out = "kept";
    try {
      AppendGeneralForm(out, value);
      FUZZ_CHECK(!"infinity or NaN written");
    } catch (const Failure&) {
      FUZZ_CHECK(out == "kept");
    }
    return;
  }
  if (value == 0) {
    CheckGeneralForm(value, nullptr);
    return;
  }
  KnownDigits digits = DigitsFor(std::fabs(value));
  CheckGeneralForm(value, &digits);

  // Column headings: one decimal, with at least one digit before the point.
  float single = static_cast<float>(value);
  if (std::isfinite(single)) {
    std::string heading = FormatOneDecimal(single);
    std::string_view rest(heading);
    if (!rest.empty() && rest.front() == '-') rest.remove_prefix(1);
    FUZZ_CHECK(rest.size() >= 3 && rest[rest.size() - 2] == '.');
    for (std::size_t i = 0; i < rest.size(); ++i) {
      if (i != rest.size() - 2) FUZZ_CHECK(rest[i] >= '0' && rest[i] <= '9');
    }
  }
}

}  // namespace
}  // namespace tolvanex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvanex::fuzz;
  CheckField(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= sizeof(double)) {
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    CheckValue(value);
  }
  return 0;
}
