// One line of the data file analysed into the current reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvanex {

class Conversion;
class DatePattern;

// True when the line is a data line: CurrentReading then holds its identifiers, time, SN and
// values, and the status line shows the identifiers and the date. Reports its own failures.
bool AnalyseLine(Conversion& conversion, std::string_view line);

// The day-count value of a date-and-time text; 0, after a report, for a text that is neither.
double DateTimeValue(Conversion& conversion, std::string_view text);

// The request's date pattern, read into its codes.
const DatePattern& CurrentReadingPattern(Conversion& conversion);

// Appends the value written with the request's date pattern. Throws on a value outside
// the range of dates; the caller's trap reports it.
void AppendReadingDate(Conversion& conversion, std::string& out, double value);

// Empties the values and the time of the reading; Fields and SN stay.
void ClearReading(Conversion& conversion);

}  // namespace tolvanex
