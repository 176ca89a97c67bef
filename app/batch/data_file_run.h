// What the batch command tells about the run of one data file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/batch/batch_options.h"
#include "base/reports.h"
#include "model/text_file_cache.h"

namespace tolvanex {

enum class RunEnd {
  EndOfData,     // read to the end of the data file
  StopRequest,   // a signal ended it after the line in hand
  NoSiteNumber,  // a pair got no site number: stdin had ended, or asking was not allowed
  Failure,       // a report ended it, or the data file could not be read
  NotStarted,    // a stop request came before its turn
};

struct DataFileRun {
  std::string DataFile;
  RunEnd End = RunEnd::NotStarted;
  int ExitStatus = kExitEarly;
  std::string FinalStatus;  // empty when the run set none
  std::vector<Report> Reports;
  std::optional<std::string> ArchivedAs;
  std::int64_t ReadingsPosted = 0;  // by both writers
  std::int64_t PostFileReadings = 0;
  std::vector<std::string> PostFiles;
  std::map<std::string, TextFileTally> TextFiles;
};

}  // namespace tolvanex
