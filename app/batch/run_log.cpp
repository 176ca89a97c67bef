#include "app/batch/run_log.h"

#include <system_error>

#include "app/batch/run_account.h"
#include "app/batch/terminal_text.h"
#include "base/errors.h"
#include "system/desktop.h"

namespace tolvanex {

namespace {

io::File OpenLog(const std::string& path) {
  try {
    return io::CreateNewFileToAppend(path);
  } catch (const std::system_error& failure) {
    if (failure.code() != std::errc::file_exists) throw;
  }
  return io::OpenForAppending(path);
}

}  // namespace

std::string RunLogLine(const std::string& timestamp, const DataFileRun& run) {
  std::string line = timestamp;
  line += '\t';
  line += EscapeControls(run.DataFile);
  line += '\t';
  line += RunEndName(run.End);
  line += '\t';
  line += std::to_string(run.ReadingsPosted);
  line += '\t';
  line += std::to_string(run.PostFiles.size());
  line += '\t';
  line += std::to_string(run.ExitStatus);
  line += '\t';
  if (!run.Reports.empty()) {
    const Report& first = run.Reports.front();
    line += EscapeControls(first.Description);
    line += " | ";
    line += kErrorPrefix;
    line += EscapeControls(first.Label);
  }
  return line;
}

RunLog::RunLog(const std::string& path) : file_(OpenLog(path)) {}

void RunLog::Write(const DataFileRun& run) {
  // CR LF, as every line the program writes into a file.
  file_.WriteAll(RunLogLine(LocalTimestamp(), run) + "\r\n");
}

}  // namespace tolvanex
