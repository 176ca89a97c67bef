// One line of the data file analysed into a reading.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/reports.h"
#include "core/conversion_request.h"
#include "formats/date_memo.h"
#include "model/current_reading.h"

namespace tolvanex {

class Conversion;
class DatePattern;

inline constexpr int kColumnLevelCount = 51;  // indexes 0 to 50
using ColumnLevelTable = std::array<float, kColumnLevelCount>;

// Reads data lines into readings with what it is given at its start, and hands its reports to a
// sink of its own: it touches nothing of the conversion, so that it may read ahead of the writers
// on a thread of its own.
class LineAnalyser {
 public:
  LineAnalyser(const ConversionRequest& request, const ColumnLevelTable& levels,
               const DatePattern& pattern, DateTextMemo& dates, ReportSink& reports)
      : request_(request), levels_(levels), pattern_(pattern), dates_(dates), reports_(reports) {}

  enum class Outcome {
    NotAReading,  // a header, a blank or short line, or one that failed before its values
    Reading,      // a reading whose date the status line cannot show (reported)
    ReadingWithStatus,
  };
  // Fills the reading with the line's identifiers, time, SN and values (its fields views into
  // the line); reports its own failures.
  Outcome Analyse(std::string_view line, CurrentReading& reading);

 private:
  double ReadingTimeOf(std::string_view text);
  int SlotOfLevel(float level) const;

  const ConversionRequest& request_;
  const ColumnLevelTable& levels_;
  const DatePattern& pattern_;
  DateTextMemo& dates_;
  ReportSink& reports_;
};

// What the conversion takes of a line's analysis, once the reading is in hand: the status line
// shows the identifiers and the date of a reading that has them. True for a reading.
bool TakeAnalysis(Conversion& conversion, LineAnalyser::Outcome outcome);

// True when the line is a data line: CurrentReading then holds its identifiers, time, SN and
// values, and the status line shows the identifiers and the date. Reports its own failures.
bool AnalyseLine(Conversion& conversion, std::string_view line);

// The day-count value of a date-and-time text; 0, after a report to the sink, for a text that is
// neither.
double DateTimeValue(ReportSink& reports, const ConversionRequest& request, std::string_view text);

// The request's date pattern, read into its codes.
const DatePattern& CurrentReadingPattern(Conversion& conversion);

// Appends the value written with the request's date pattern. Throws on a value outside
// the range of dates; the caller's trap reports it.
void AppendReadingDate(Conversion& conversion, std::string& out, double value);

// Empties the values and the time of the reading; Fields and SN stay.
void ClearReading(CurrentReading& reading);
void ClearReading(Conversion& conversion);

}  // namespace tolvanex
