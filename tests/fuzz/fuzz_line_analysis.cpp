// The line analysis over every line of a data file, as a run calls it: AnalyseLine, then
// ClearReading after each data line.
//
// Input: the bytes of a data file; CR LF, a lone CR and a lone LF each end a line. Its length
// picks English or German settings and one of the date patterns the window offers.
// - A data line has more than 10 characters and at least 10 fields; its identifiers carry no
//   surrounding blanks, SN is the fourth field as it stands, every filled value is finite and no
//   slot above MaxColumn (at most 50) is filled.
// - Its reading time is the date field's date, or 0 after a "Type mismatch" report under
//   "DateTimeValue: "; the status line shows the identifiers and the date.
// - A line that is not a data line after a report failed with "Overflow" (a number beyond the
//   range of a double, or a level code beyond that of a single).
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "base/paths.h"
#include "core/conversion.h"
#include "core/line_analysis.h"
#include "formats/date_pattern.h"
#include "formats/date_value.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/quiet_observer.h"

namespace tolvanex::fuzz {

using testing::QuietObserver;
namespace {

// The patterns the window offers.
constexpr const char* kPatterns[] = {"d mmm yyyy HH:MM", "m/d/yyyy HH:MM", "yyyy-mm-dd HH:MM",
                                     "d/m/yyyy HH:MM"};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

void CheckDataLine(const Conversion& conversion, const QuietObserver& observer,
                   std::size_t reportsBefore, std::string_view line) {
  const ConversionRequest& request = conversion.Request;
  const CurrentReading& reading = conversion.Reading;
  FUZZ_CHECK(line.size() > 10 && reading.Fields.size() >= 10);
  for (int i = 0; i < 2; ++i) {
    std::string_view id = reading.Fields[static_cast<std::size_t>(i)];
    FUZZ_CHECK(id.empty() || (id.front() != ' ' && id.back() != ' '));
  }
  FUZZ_CHECK(reading.SN == reading.Fields[3]);
  FUZZ_CHECK(reading.MaxColumn >= 0 && reading.MaxColumn < kValueSlots);
  FUZZ_CHECK(!reading.Values[0].has_value());
  for (int slot = 1; slot < kValueSlots; ++slot) {
    const auto& value = reading.Values[static_cast<std::size_t>(slot)];
    if (slot > reading.MaxColumn) FUZZ_CHECK(!value.has_value());
    if (value) FUZZ_CHECK(std::isfinite(*value));
  }
  if (reading.MaxColumn > 0)
    FUZZ_CHECK(reading.Values[static_cast<std::size_t>(reading.MaxColumn)]);

  std::optional<double> date =
      ParseDateTime(StripQuotes(reading.Fields[2]), request.Regional, request.CurrentYear);
  std::size_t reports = observer.Messages.size() - reportsBefore;
  if (date) {
    FUZZ_CHECK(reading.ReadingTime == *date);
    FUZZ_CHECK(reports == 0);
  } else {
    FUZZ_CHECK(reading.ReadingTime == 0);
    FUZZ_CHECK(reports == 1);
    FUZZ_CHECK(StartsWith(observer.Messages.back(), "Type mismatch\r\nTolvanex:DateTimeValue: "));
  }
  std::string status = std::string(reading.Fields[0]) + "/" + std::string(reading.Fields[1]) + " " +
                       FormatDate(reading.ReadingTime, request.DatePattern, request.Regional);
  FUZZ_CHECK(conversion.Status() == status);
}

void CheckOtherLine(const QuietObserver& observer, std::size_t reportsBefore) {
  std::size_t reports = observer.Messages.size() - reportsBefore;
  if (reports == 0) return;
  // The date's report may come first; the failure that ended the line is the last one.
  FUZZ_CHECK(observer.Messages.back() == "Overflow\r\nTolvanex:AnalyseLine");
}

}  // namespace
}  // namespace tolvanex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvanex;
  using namespace tolvanex::fuzz;
  // The file's length picks the regional settings and the date pattern, so that all are tried.
  ConversionRequest request;
  request.Regional = size % 2 == 1 ? GermanRegionalSettings() : EnglishRegionalSettings();
  request.CurrentYear = 2023;
  request.DatePattern = kPatterns[size / 2 % 4];
  QuietObserver observer;
  EngineSession session;
  Conversion conversion(request, observer, session);

  std::string_view file(reinterpret_cast<const char*>(data), size);
  for (std::string_view line : LinesOf(file)) {
    std::size_t reportsBefore = observer.Messages.size();
    if (AnalyseLine(conversion, line)) {
      CheckDataLine(conversion, observer, reportsBefore, line);
      ClearReading(conversion);
    } else {
      CheckOtherLine(observer, reportsBefore);
    }
  }
  return 0;
}
