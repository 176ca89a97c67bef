#include "core/line_analysis.h"

#include <cfloat>
#include <cmath>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "core/conversion.h"
#include "formats/date_pattern.h"
#include "formats/date_value.h"
#include "formats/line_splitter.h"
#include "formats/number_text.h"

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

float LevelCodeOf(CurrentReading& reading, std::size_t group, std::string_view text) {
  auto& known = reading.LevelCodes;
  if (group < known.size() && known[group].Text == text) return known[group].Level;
  float level = LevelCode(text);
  if (group >= known.size()) known.resize(group + 1);
  known[group].Text.assign(text);
  known[group].Level = level;
  return level;
}

std::string_view TrimmedIdentifier(std::string_view field) {
  return TrimBlanks(QuotesStripped(field));
}

}  // namespace

// The first slot whose level lies within the tolerance, both taken in single precision.
int LineAnalyser::SlotOfLevel(float level) const {
  for (int j = 1; j < kColumnLevelCount; ++j) {
    float difference = level - levels_[j];
    if (std::fabs(difference) < kLevelTolerance) return j;
  }
  return 0;
}

// The reading time of a data line. A date text that the line before had too is not read again;
// one that does not read as a date goes to DateTimeValue, which reports it.
double LineAnalyser::ReadingTimeOf(std::string_view text) {
  auto value = dates_.Read(text, request_.Regional, [this] { return request_.CurrentYear; });
  return value ? *value : DateTimeValue(reports_, request_, text);
}

LineAnalyser::Outcome LineAnalyser::Analyse(std::string_view line, CurrentReading& reading) {
  Outcome outcome = Outcome::NotAReading;
  try {
    if (line.size() < kShortestDataLine) return outcome;
    auto& fields = reading.Fields;
    SplitFields(line, fields);
    if (fields.size() < kFewestDataFields) return outcome;

    fields[0] = TrimmedIdentifier(fields[0]);
    fields[1] = TrimmedIdentifier(fields[1]);
    reading.SN = fields[3];
    reading.ReadingTime = ReadingTimeOf(QuotesStripped(fields[2]));

    for (std::size_t k = kFirstGroup; k < fields.size(); k += kGroupWidth) {
      float level = LevelCodeOf(reading, k / kGroupWidth, fields[k]);
      if (k + 1 >= fields.size() || fields[k + 1].empty()) continue;
      int slot = SlotOfLevel(level);
      // A value that fits no slot is read all the same: one beyond the range of numbers is a
      // failure of the line.
      double value = ReadFieldNumber(fields[k + 1], slot == 0 ? nullptr : &reading.Digits[slot]);
      if (slot == 0) continue;
      reading.Values[slot] = value;
      if (slot > reading.MaxColumn) reading.MaxColumn = slot;
    }
    outcome = Outcome::Reading;

    // The status shows the pair and the date, written only when somebody looks; a date that
    // cannot be written is the line's failure now, as it would be then.
    if (!pattern_.Writes(reading.ReadingTime)) throw Failure(kOverflow);
    outcome = Outcome::ReadingWithStatus;
  } catch (...) {
    ReportFailure(reports_, labels::kAnalyseLine);
    // The values read before the failure stay for the next reading, as the line left them, but
    // not their digits: the line's text they are views into is gone by then. (Written from the
    // values alone they give the same text.)
    if (outcome == Outcome::NotAReading) {
      for (int slot = 1; slot <= reading.MaxColumn; ++slot) reading.Digits[slot] = KnownDigits();
    }
  }
  return outcome;
}

bool TakeAnalysis(Conversion& conversion, LineAnalyser::Outcome outcome) {
  const CurrentReading& reading = conversion.Reading;
  if (outcome == LineAnalyser::Outcome::ReadingWithStatus) {
    conversion.SetReadingStatus(reading.Fields[0], reading.Fields[1], reading.ReadingTime);
  }
  return outcome != LineAnalyser::Outcome::NotAReading;
}

bool AnalyseLine(Conversion& conversion, std::string_view line) {
  LineAnalyser analyser(conversion.Request, conversion.ColumnLevels,
                        CurrentReadingPattern(conversion), conversion.Run.DataFileDates,
                        conversion);
  return TakeAnalysis(conversion, analyser.Analyse(line, conversion.Reading));
}

double DateTimeValue(ReportSink& reports, const ConversionRequest& request, std::string_view text) {
  try {
    auto value = ParseDateTime(text, request.Regional, request.CurrentYear);
    if (!value) throw Failure(kTypeMismatch);
    return *value;
  } catch (...) {
    std::string label(labels::kDateTimeValue);
    label += text;
    ReportFailure(reports, label);
  }
  return 0;
}

const DatePattern& CurrentReadingPattern(Conversion& conversion) {
  // The pattern is read into its codes once, not for every line.
  DatePattern& pattern = conversion.Run.ReadingPattern;
  if (pattern.Text() != conversion.Request.DatePattern)
    pattern = DatePattern(conversion.Request.DatePattern);
  return pattern;
}

void AppendReadingDate(Conversion& conversion, std::string& out, double value) {
  CurrentReadingPattern(conversion).AppendTo(out, value, conversion.Request.Regional);
}

void ClearReading(CurrentReading& reading) {
  // No slot beyond the highest is ever filled.
  for (int slot = 1; slot <= reading.MaxColumn; ++slot) reading.Values[slot].reset();
  reading.ReadingTime = 0;
  reading.MaxColumn = 0;
}

void ClearReading(Conversion& conversion) {
  ClearReading(conversion.Reading);
}

}  // namespace tolvanex
