#include "app/batch/run_log.h"

#include "app/batch/run_account.h"
#include "app/batch/terminal_text.h"
#include "base/errors.h"
#include "system/desktop.h"

namespace tolvanex {

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

RunLog::RunLog(const std::string& path) : file_(io::CreateOrAppend(path)) {}

void RunLog::Write(const DataFileRun& run) {
  // CR LF, as every line the program writes into a file.
  file_.AppendWhole(RunLogLine(LocalTimestamp(), run) + "\r\n");
}

}  // namespace tolvanex
