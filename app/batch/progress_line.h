// The one-line progress display of the batch command on a terminal.
#pragma once

#include <cstdint>
#include <string>

namespace tolvanex {

struct Progress {
  std::string FileName;  // the data file's name, control characters already escaped
  int FileNumber = 1;    // counted from 1
  int FileCount = 1;
  std::uint64_t BytesRead = 0;
  std::uint64_t FileSize = 0;
  std::int64_t ReadingsPosted = 0;
};

// The percentage of the data file read, 0 to 100; 0 for an empty file.
int PercentRead(std::uint64_t bytesRead, std::uint64_t fileSize);

// The progress as a line of at most columns columns (a terminal of unknown width counts as 80):
// the file's number when there are several, its name, the percentage read and the readings
// posted. On a narrow terminal the words grow shorter and the name loses its start first.
std::string ProgressLine(const Progress& progress, int columns);

}  // namespace tolvanex
