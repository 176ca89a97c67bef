// The log of a job whose output nobody sees (cron without mail, the Task Scheduler): one line per
// data file, appended to a file that is made when missing and never emptied.
#pragma once

#include <optional>
#include <string>

#include "app/batch/data_file_run.h"
#include "system/file_io.h"

namespace tolvanex {

// One line of the log, without its line end: the local time (ISO 8601), the data file, how its
// run ended (as --json names it), the readings posted, the post files written, the file's exit
// status and its first report, its two lines joined by " | "; the fields separated by tabs, and
// control characters in them escaped as on a terminal, so that a line is always one line of
// seven fields.
std::string RunLogLine(const std::string& timestamp, const DataFileRun& run);

class RunLog {
 public:
  // Opens the log for appending, made when missing; throws when it cannot (its folder is
  // missing, the name is a folder or not a regular file, it may not be written).
  explicit RunLog(const std::string& path);
  // Appends the run's line in one write, so that jobs that share the log never mix their lines.
  void Write(const DataFileRun& run);

 private:
  io::File file_;
};

}  // namespace tolvanex
