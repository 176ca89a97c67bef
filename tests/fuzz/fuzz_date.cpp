// Date-and-time texts read with the regional settings, and day counts written with date patterns.
//
// Input: three parts separated by line feeds. The first is the value, a decimal text ("inf" and
// "nan" too), or else up to eight bytes taken as a double as it is held in memory; the second is
// a date pattern; the rest is a date-and-time text.
// - A value within the range of dates is written with any pattern; a value outside it throws the
//   overflow failure, and so does infinity or NaN. The empty pattern writes the general form.
// - Written with a year-first pattern, a value reads back as the same second.
// - A text that reads as a date lies within the range of dates, and written with a year-first
//   or a month-name pattern it reads back as the same second, in English and German settings.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "formats/date_pattern.h"
#include "formats/date_value.h"
#include "formats/number_text.h"
#include "tests/fuzz/fuzz_support.h"

namespace tolvanex::fuzz {
namespace {

constexpr int kYear = 2023;

bool InRangeOfDates(double value) {
  return value > kMinimumDayCount - 1 && value <= kMaximumDayCount;
}

void CheckReadBack(double value, const char* pattern, const RegionalSettings& regional) {
  std::string text = FormatDate(value, pattern, regional);
  std::optional<double> again = ParseDateTime(text, regional, kYear);
  FUZZ_CHECK(again.has_value());
  FUZZ_CHECK(WholeSeconds(*again) == WholeSeconds(value));
}

void CheckFormat(double value, const std::string& pattern, const RegionalSettings& regional) {
  DatePattern compiled(pattern);
  std::string out = "kept";
  bool written = false;
  try {
    compiled.AppendTo(out, value, regional);
    written = true;
  } catch (const Failure& failure) {
    FUZZ_CHECK(std::string_view(failure.what()) == kOverflow);
    FUZZ_CHECK(out == "kept");
  }
  if (pattern.empty()) {
    FUZZ_CHECK(written == std::isfinite(value));
    if (written) FUZZ_CHECK(out.substr(4) == GeneralForm(value));
    return;
  }
  FUZZ_CHECK(written == InRangeOfDates(value));
  if (written) {
    // The pattern holds no state of its own between values.
    FUZZ_CHECK(out.substr(4) == FormatDate(value, pattern, regional));
    FUZZ_CHECK(out.substr(4) == compiled.Format(value, regional));
    CheckReadBack(value, "yyyy/mm/dd hh:nn:ss", regional);
  }
}

void CheckParse(const std::string& text, const RegionalSettings& regional) {
  std::optional<double> value = ParseDateTime(text, regional, kYear);
  if (!value) return;
  FUZZ_CHECK(std::isfinite(*value) && InRangeOfDates(*value));
  CalendarFields fields = SplitDayCount(*value);
  FUZZ_CHECK(fields.Year >= 100 && fields.Year <= 9999);
  CheckReadBack(*value, "yyyy/mm/dd hh:nn:ss", regional);
  CheckReadBack(*value, "d mmm yyyy hh:nn:ss", regional);
  CheckReadBack(*value, "dd mmmm yyyy h:nn:ss", regional);
}

}  // namespace
}  // namespace tolvanex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvanex;
  using namespace tolvanex::fuzz;
  static const RegionalSettings english = EnglishRegionalSettings();
  static const RegionalSettings german = GermanRegionalSettings();

  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t first = input.find('\n');
  std::string_view valueText = input.substr(0, first);
  std::string_view rest = first == std::string_view::npos ? "" : input.substr(first + 1);
  std::size_t second = rest.find('\n');
  std::string pattern(rest.substr(0, second));
  std::string text(second == std::string_view::npos ? "" : rest.substr(second + 1));

  double value = 0;
  auto [end, error] = std::from_chars(valueText.data(), valueText.data() + valueText.size(), value);
  if (error != std::errc() || end != valueText.data() + valueText.size()) {
    value = 0;
    std::memcpy(&value, valueText.data(), std::min(valueText.size(), sizeof value));
  }

  CheckFormat(value, pattern, english);
  CheckFormat(value, pattern, german);
  CheckParse(text, english);
  CheckParse(text, german);
  // A pattern is often a date text too.
  CheckParse(pattern, english);
  return 0;
}
