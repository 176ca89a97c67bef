#include "core/line_analysis.h"

#include <cfloat>
#include <cmath>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "formats/date_pattern.h"
#include "formats/date_value.h"
#include "formats/line_splitter.h"
#include "formats/number_text.h"
#include "model/frm_tolvanex.h"
#include "model/show_error.h"
#include "model/status.h"

namespace tolvanex {

namespace {

// Lines of 10 characters or fewer, and lines of fewer than 10 fields, are not data lines:
// headers and blank lines pass over this way.
constexpr std::size_t kShortestDataLine = 11;
constexpr std::size_t kFewestDataFields = 10;
constexpr std::size_t kFirstGroup = 4;
constexpr std::size_t kGroupWidth = 3;
constexpr float kLevelTolerance = 0.1f;

float LevelCode(std::string_view field) {
  double value = ReadFieldNumber(field);
  if (std::fabs(value) > FLT_MAX) throw Failure(kOverflow);
  return static_cast<float>(value);
}

float LevelCodeOf(CurrentReading& reading, std::size_t group, const std::string& text) {
  auto& known = reading.LevelCodes;
  if (group < known.size() && known[group].Text == text) return known[group].Level;
  float level = LevelCode(text);
  if (group >= known.size()) known.resize(group + 1);
  known[group] = {text, level};
  return level;
}

// The first slot whose level lies within the tolerance, both taken in single precision.
int SlotOfLevel(const Frm_Tolvanex& form, float level) {
  for (int j = 1; j < kColumnLevelCount; ++j) {
    float difference = level - form.ColumnLevels[j];
    if (std::fabs(difference) < kLevelTolerance) return j;
  }
  return 0;
}

std::string TrimmedIdentifier(std::string_view field) {
  return std::string(TrimBlanks(StripQuotes(field)));
}

// The reading time of a data line. A date text that the line before had too is not read again;
// one that does not read as a date goes to DateTimeValue, which reports it.
double ReadingTimeOf(Frm_Tolvanex& form, const std::string& text) {
  auto value = form.RunState.DataFileDates.Read(text, form.Regional,
                                                [&form] { return form.Desktop.CurrentYear(); });
  return value ? *value : DateTimeValue(form, text);
}

}  // namespace

bool AnalyseLine(Frm_Tolvanex& form, std::string_view line) {
  bool result = false;
  try {
    if (line.size() < kShortestDataLine) return result;
    auto& reading = form.CurrentReading;
    auto& fields = reading.Fields;
    SplitFields(line, fields);
    if (fields.size() < kFewestDataFields) return result;

    fields[0] = TrimmedIdentifier(fields[0]);
    fields[1] = TrimmedIdentifier(fields[1]);
    reading.SN = fields[3];
    reading.ReadingTime = ReadingTimeOf(form, StripQuotes(fields[2]));

    for (std::size_t k = kFirstGroup; k < fields.size(); k += kGroupWidth) {
      float level = LevelCodeOf(reading, k / kGroupWidth, fields[k]);
      if (k + 1 >= fields.size() || fields[k + 1].empty()) continue;
      KnownDigits digits;
      double value = ReadFieldNumber(fields[k + 1], &digits);
      int slot = SlotOfLevel(form, level);
      if (slot == 0) continue;
      reading.Values[slot] = value;
      reading.Digits[slot] = digits;
      if (slot > reading.MaxColumn) reading.MaxColumn = slot;
    }
    result = true;

    std::string& status = form.RunState.StatusText;
    status.assign(fields[0]);
    status += '/';
    status += fields[1];
    status += ' ';
    AppendReadingDate(form, status, reading.ReadingTime);
    SetStatus(form, status);
  } catch (...) {
    ShowError(form, labels::kAnalyseLine);
  }
  return result;
}

double DateTimeValue(Frm_Tolvanex& form, std::string_view text) {
  try {
    auto value = ParseDateTime(text, form.Regional, form.Desktop.CurrentYear());
    if (!value) throw Failure(kTypeMismatch);
    return *value;
  } catch (...) {
    std::string label(labels::kDateTimeValue);
    label += text;
    ShowError(form, label);
  }
  return 0;
}

void AppendReadingDate(Frm_Tolvanex& form, std::string& out, double value) {
  // The pattern is read into its codes once, not for every line.
  DatePattern& pattern = form.RunState.ReadingPattern;
  if (pattern.Text() != form.Cmb_Dateformat.Text) pattern = DatePattern(form.Cmb_Dateformat.Text);
  pattern.AppendTo(out, value, form.Regional);
}

void ClearReading(Frm_Tolvanex& form) {
  auto& reading = form.CurrentReading;
  reading.Values.fill(std::nullopt);
  reading.ReadingTime = 0;
  reading.MaxColumn = 0;
}

}  // namespace tolvanex
