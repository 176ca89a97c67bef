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
#include "app/batch/terminal_observer.h"
#include "app/batch/terminal_text.h"
#include "base/errors.h"
#include "base/labels.h"
#include "core/conversion_engine.h"
#include "settings/settings_store.h"
#include "system/desktop.h"
#include "system/file_moves.h"
#include "system/regional.h"
#include "system/stop_requests.h"

namespace tolvanex {

namespace {

constexpr std::string_view kFinalStatus = "Finished - posted ";

// What the engine is asked to do with one data file: the settings, as the options left them.
ConversionRequest RequestFor(const std::string& dataFile, const Settings& settings,
                             const BatchOptions& options, const RegionalSettings& regional) {
  ConversionRequest request;
  request.DataFile = dataFile;
  request.WritePostFiles = settings.OutputPostFile != 0;
  request.PostFolder = settings.PostFolder;
  request.LookupFile = settings.LookupFile;
  request.SortLookup = settings.SortLookup != 0;
  request.WriteTextFiles = settings.OutputTextFile != 0;
  request.TextFolder = settings.OutputFolder;
  request.Extension = settings.Extension;
  request.DatePattern = settings.DateFormat;
  request.Regional = regional;
  request.CurrentYear = LocalYear();
  request.WaitForOtherRuns = !options.NoWait;
  return request;
}

// Moves a data file that was converted whole out of the way of the next run. A failure is a
// report of this file's run; the file then stays where it was.
void ArchiveDataFile(TerminalObserver& terminal, const std::string& folder, DataFileRun& run) {
  try {
    run.ArchivedAs = MoveFileIntoFolder(run.DataFile, folder);
  } catch (...) {
    Report report{DescriptionOf(std::current_exception()),
                  std::string(labels::kArchiveDataFile) + run.DataFile};
    terminal.Report(report);
    run.Reports.push_back(std::move(report));
  }
}

RunEnd HowItEnded(const ConversionResult& result, const TerminalObserver& terminal,
                  int stopRequestsBefore) {
  if (result.ReachedEndOfData) return RunEnd::EndOfData;
  if (StopRequestCount() > stopRequestsBefore) return RunEnd::StopRequest;
  if (terminal.SiteNumberMissing()) return RunEnd::NoSiteNumber;
  return RunEnd::Failure;
}

DataFileRun ConvertDataFile(ConversionEngine& engine, const ConversionRequest& request,
                            TerminalObserver& terminal, const BatchOptions& options, int number,
                            int count) {
  DataFileRun run;
  run.DataFile = request.DataFile;
  terminal.StartFile(request.DataFile, number, count);
  int stopRequestsBefore = StopRequestCount();
  ConversionResult result = engine.Convert(request, terminal);
  terminal.EndProgress();
  run.End = HowItEnded(result, terminal, stopRequestsBefore);

  run.Reports = terminal.SettingsReports();
  run.Reports.insert(run.Reports.end(), result.Reports.begin(), result.Reports.end());
  if (run.End == RunEnd::EndOfData && run.Reports.empty() && options.ArchiveFolder) {
    ArchiveDataFile(terminal, *options.ArchiveFolder, run);
  }

  if (result.Status.starts_with(kFinalStatus)) run.FinalStatus = result.Status;
  run.ReadingsPosted = result.ReadingsPosted;
  run.PostFileReadings = result.PostFileReadings;
  run.PostFiles = std::move(result.PostFiles);
  run.TextFiles = std::move(result.TextFiles);
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

int ConvertDataFiles(const Settings& settings, const BatchOptions& options,
                     TerminalObserver& terminal) {
  std::vector<std::string> paths = options.DataFiles;
  if (paths.empty()) paths.push_back(settings.DataFile);
  const int count = static_cast<int>(paths.size());
  const RegionalSettings regional = RegionalSettingsFromLocale("");
  ConversionEngine engine;

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
      ConversionRequest request = RequestFor(paths[i], settings, options, regional);
      run = ConvertDataFile(engine, request, terminal, options, i + 1, count);
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
