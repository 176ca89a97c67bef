#include "app/batch/data_file_runs.h"

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch/batch_options.h"
#include "app/batch/data_file_run.h"
#include "app/batch/run_account.h"
#include "app/batch/run_log.h"
#include "app/batch/terminal_platform.h"
#include "app/batch/terminal_text.h"
#include "base/errors.h"
#include "base/labels.h"
#include "core/run_driver.h"
#include "ui/frm_tolvanex.h"
#include "ui/show_error.h"
#include "system/file_moves.h"
#include "system/stop_requests.h"

namespace tolvanex {

namespace {

constexpr std::string_view kFinalStatus = "Finished - posted ";

// Moves a data file that was converted whole out of the way of the next run. A failure is a
// report of this file's run; the file then stays where it was.
void ArchiveDataFile(Frm_Tolvanex& form, const std::string& folder, DataFileRun& run) {
  try {
    run.ArchivedAs = MoveFileIntoFolder(run.DataFile, folder);
  } catch (...) {
    ShowError(form, std::string(labels::kArchiveDataFile) + run.DataFile);
  }
}

RunEnd HowItEnded(const Frm_Tolvanex& form, const TerminalPlatform& desktop,
                  int stopRequestsBefore) {
  if (form.RunState.ReachedEndOfData) return RunEnd::EndOfData;
  if (StopRequestCount() > stopRequestsBefore) return RunEnd::StopRequest;
  if (desktop.SiteNumberMissing()) return RunEnd::NoSiteNumber;
  return RunEnd::Failure;
}

DataFileRun ConvertDataFile(Frm_Tolvanex& form, TerminalPlatform& desktop,
                            const BatchOptions& options, const std::string& path, int number,
                            int count) {
  DataFileRun run;
  run.DataFile = path;
  desktop.StartFile(number, count);
  form.Txt_File[0].Text = path;
  // The status line keeps its text between runs; a run that sets no final status must not
  // seem to have set the last one's.
  form.Lbl_Status.Caption.clear();
  int stopRequestsBefore = StopRequestCount();
  DoExport(form);
  desktop.EndProgress();
  run.End = HowItEnded(form, desktop, stopRequestsBefore);

  if (run.End == RunEnd::EndOfData && desktop.Reports().empty() && options.ArchiveFolder) {
    ArchiveDataFile(form, *options.ArchiveFolder, run);
  }

  const RunState& state = form.RunState;
  if (form.Lbl_Status.Caption.starts_with(kFinalStatus)) run.FinalStatus = form.Lbl_Status.Caption;
  run.Reports = desktop.Reports();
  run.ReadingsPosted = state.ReadingsPosted;
  run.PostFileReadings = state.PostFileReadings;
  run.PostFiles = state.PostFilesStarted;
  run.TextFiles = state.TextFiles.Tallies();
  if (run.End != RunEnd::EndOfData) {
    run.ExitStatus = kExitEarly;
  } else {
    run.ExitStatus = run.Reports.empty() ? kExitFinished : kExitWithReports;
  }
  return run;
}

// False when the output could not be written: its reader has gone, or its file is full.
bool Print(const DataFileRun& run, bool json) {
  if (json) {
    std::cout << RunAccountJson(run) << '\n';
  } else if (!run.FinalStatus.empty()) {
    std::cout << run.FinalStatus << '\n';
  }
  // Whoever watches the output sees each file as it is done.
  std::cout << std::flush;
  return !std::cout.fail();
}

// A log that cannot be written any more is said once on stderr; the runs go on.
void WriteToLog(RunLog& log, const DataFileRun& run) {
  try {
    log.Write(run);
  } catch (...) {
    std::cerr << "tolvanex-batch: cannot write to the log: "
              << EscapeControls(DescriptionOf(std::current_exception())) << '\n'
              << std::flush;
  }
}

}  // namespace

int ConvertDataFiles(Frm_Tolvanex& form, TerminalPlatform& desktop, const BatchOptions& options) {
  std::vector<std::string> paths = options.DataFiles;
  if (paths.empty()) paths.push_back(form.Txt_File[0].Text);
  const int count = static_cast<int>(paths.size());

  std::optional<RunLog> log;
  if (options.LogFile) log.emplace(*options.LogFile);
  int exitStatus = kExitFinished;
  int notStarted = 0;
  bool outputClosed = false;
  for (int i = 0; i < count; ++i) {
    DataFileRun run;
    if (StopRequestCount() > 0 || outputClosed) {
      run.DataFile = paths[i];
      ++notStarted;
    } else {
      run = ConvertDataFile(form, desktop, options, paths[i], i + 1, count);
    }
    // Once the output is closed, what it would have said is said by the exit status.
    bool toPrint = !outputClosed && (run.End != RunEnd::NotStarted || options.Json);
    if (toPrint && !Print(run, options.Json)) outputClosed = true;
    if (log) WriteToLog(*log, run);
    exitStatus = WorseExitStatus(exitStatus, run.ExitStatus);
  }

  if (StopRequestCount() > 0 || outputClosed) {
    std::cerr << (outputClosed ? "tolvanex-batch: cannot write to standard output"
                               : "tolvanex-batch: stopped on request");
    if (notStarted > 0) std::cerr << "; " << notStarted << " data file(s) not converted";
    std::cerr << '\n' << std::flush;
    exitStatus = WorseExitStatus(exitStatus, kExitEarly);
  }
  return exitStatus;
}

}  // namespace tolvanex
