#include "core/line_analysis.h"

#include <cfloat>
#include <cmath>

#include "core/date_pattern.h"
#include "core/date_value.h"
#include "core/errors.h"
#include "core/helpers.h"
#include "core/labels.h"
#include "core/number_text.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {

namespace {

// Lines of 10 characters or fewer, and lines of fewer than 10 fields, are not data lines:
// headers and blank lines pass over this way.
constexpr std::size_t kShortestDataLine = 11;
constexpr std::size_t kFewestDataFields = 10;
constexpr std::size_t kFirstGroup = 4;
constexpr std::size_t kGroupWidth = 3;
constexpr float kLevelTolerance = 0.1f;

// The pattern of the last call, read into its codes once rather than for every line.
const DatePattern& PatternFor(const std::string& text) {
  static DatePattern cached("");
  if (cached.Text() != text) cached = DatePattern(text);
  return cached;
}

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
  std::string stripped = StripQuotes(field);
  auto first = stripped.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  auto last = stripped.find_last_not_of(' ');
  return stripped.substr(first, last - first + 1);
}

// The reading time of a data line. A date text that the line before had too is not read again;
// one that does not read as a date goes to DateTimeValue, which reports it.
double ReadingTimeOf(Frm_Tolvanex& form, const std::string& text) {
  auto& run = form.RunState;
  if (!run.LastDateText.empty() && text == run.LastDateText) return run.LastDateValue;
  std::optional<double> value;
  try {
    value = ParseDateTime(text, form.Regional, form.Desktop.CurrentYear());
  } catch (...) {
  }
  if (!value) return DateTimeValue(form, text);
  run.LastDateText = text;
  run.LastDateValue = *value;
  return *value;
}

}  // namespace

void SplitFields(std::string_view line, std::vector<std::string>& fields) {
  // The fields are short: one pass over the line finds the commas faster than a search for each.
  std::size_t count = 0;
  auto keep = [&](const char* first, const char* last) {
    if (count < fields.size()) {
      fields[count].assign(first, last);
    } else {
      fields.emplace_back(first, last);
    }
    ++count;
  };
  const char* start = line.data();
  const char* end = start + line.size();
  for (const char* at = start; at != end; ++at) {
    if (*at == ',') {
      keep(start, at);
      start = at + 1;
    }
  }
  keep(start, end);
  fields.resize(count);
}

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

    static std::string status;  // reused: the status is set for every line of a run
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
  PatternFor(form.Cmb_Dateformat.Text).AppendTo(out, value, form.Regional);
}

std::string FormatReadingDate(Frm_Tolvanex& form, double value) {
  std::string text;
  AppendReadingDate(form, text, value);
  return text;
}

void ClearReading(Frm_Tolvanex& form) {
  auto& reading = form.CurrentReading;
  reading.Values.fill(std::nullopt);
  reading.ReadingTime = 0;
  reading.MaxColumn = 0;
}

}  // namespace tolvanex
