// The line analysis over every line of a data file, as a run calls it: AnalyseLine, then
// ClearReading after each data line.
//
// Input: the bytes of a data file; CR LF, a lone CR and a lone LF each end a line. Its length
// picks English or German settings and one of the window's date patterns.
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
#include "core/line_analysis.h"
#include "formats/date_pattern.h"
#include "formats/date_value.h"
#include "ui/frm_tolvanex.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/quiet_desktop.h"

namespace tolvanex::fuzz {

using testing::QuietDesktop;
namespace {

// The patterns the window offers.
constexpr const char* kPatterns[] = {"d mmm yyyy HH:MM", "m/d/yyyy HH:MM", "yyyy-mm-dd HH:MM",
                                     "d/m/yyyy HH:MM"};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

void CheckDataLine(Frm_Tolvanex& form, const QuietDesktop& desktop, std::size_t reportsBefore,
                   std::string_view line) {
  const CurrentReading& reading = form.CurrentReading;
  FUZZ_CHECK(line.size() > 10 && reading.Fields.size() >= 10);
  for (int i = 0; i < 2; ++i) {
    const std::string& id = reading.Fields[static_cast<std::size_t>(i)];
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
      ParseDateTime(StripQuotes(reading.Fields[2]), form.Regional, desktop.CurrentYear());
  std::size_t reports = desktop.Messages.size() - reportsBefore;
  if (date) {
    FUZZ_CHECK(reading.ReadingTime == *date);
    FUZZ_CHECK(reports == 0);
  } else {
    FUZZ_CHECK(reading.ReadingTime == 0);
    FUZZ_CHECK(reports == 1);
    FUZZ_CHECK(StartsWith(desktop.Messages.back(), "Type mismatch\r\nTolvanex:DateTimeValue: "));
  }
  std::string status = reading.Fields[0] + "/" + reading.Fields[1] + " " +
                       FormatDate(reading.ReadingTime, form.Cmb_Dateformat.Text, form.Regional);
  FUZZ_CHECK(form.Lbl_Status.Caption == status);
}

void CheckOtherLine(const QuietDesktop& desktop, std::size_t reportsBefore) {
  std::size_t reports = desktop.Messages.size() - reportsBefore;
  if (reports == 0) return;
  // The date's report may come first; the failure that ended the line is the last one.
  FUZZ_CHECK(desktop.Messages.back() == "Overflow\r\nTolvanex:AnalyseLine");
}

}  // namespace
}  // namespace tolvanex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvanex;
  using namespace tolvanex::fuzz;
  // The file's length picks the regional settings and the date pattern, so that all are tried.
  QuietDesktop desktop;
  if (size % 2 == 1) desktop.Settings = GermanRegionalSettings();
  Frm_Tolvanex form(desktop);
  FillColumnLevels(form);
  form.Cmb_Dateformat.Text = kPatterns[size / 2 % 4];

  std::string_view file(reinterpret_cast<const char*>(data), size);
  for (std::string_view line : LinesOf(file)) {
    std::size_t reportsBefore = desktop.Messages.size();
    if (AnalyseLine(form, line)) {
      CheckDataLine(form, desktop, reportsBefore, line);
      ClearReading(form);
    } else {
      CheckOtherLine(desktop, reportsBefore);
    }
  }
  return 0;
}
