// What one conversion did, for the front end that asked for it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/reports.h"
#include "model/text_file_cache.h"

namespace tolvanex {

struct ConversionResult {
  // False when the run never began: the wait for another run was cancelled.
  bool Started = false;
  // The run read its data file to the end and completed every file, rather than ending early or
  // failing.
  bool ReachedEndOfData = false;
  // Reading lines written by both writers, in files under their own names.
  std::int64_t ReadingsPosted = 0;
  std::int64_t PostFileReadings = 0;
  std::int64_t PostFileCount = 0;  // post files published
  // The post files started, each by the name it got (or was to get when it could not be
  // completed).
  std::vector<std::string> PostFiles;
  // Per text file, by path: the readings it took and those it skipped as not newer.
  std::map<std::string, TextFileTally> TextFiles;
  std::vector<Report> Reports;
  // The status line's text at the end: "Finished - posted ..." after a run that got so far,
  // otherwise the last it showed; empty when it showed none.
  std::string Status;
};

}  // namespace tolvanex
