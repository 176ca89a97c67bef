// One text file per identifier pair, to which a reading is appended only when it is at least a
// minute newer than the file's last dated line, so that converting the same data again adds
// nothing.
#pragma once

#include <string>

namespace tolvanex {

class Conversion;

// Appends the current reading to its pair's text file, or skips it as not newer. False after a
// reported failure; StopRequested is then set. The file stays open for the rest of the run, to
// be closed by CloseTextFiles.
bool WriteToTextFile(Conversion& conversion);

// Closes the text files the run has kept open. False after a reported failure, which ends the
// run: StopRequested is then set.
bool CloseTextFiles(Conversion& conversion);

// The date of the last whole line near the end of the file whose first field reads as a date;
// 0 when the file does not exist or holds no such line. Reports its own failures.
double LastDateInFile(Conversion& conversion, const std::string& path);

// The header line of a new text file for the current reading, without its line end.
std::string TextFileHeader(const Conversion& conversion);
// The reading line of the current reading, without its line end.
void AppendTextReadingLine(Conversion& conversion, std::string& line);

}  // namespace tolvanex
