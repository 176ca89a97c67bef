#include "app/batch/batch_options.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>

#include "app/batch/batch_help.h"
#include "app/batch/run_log.h"
#include "app/batch/terminal_text.h"
#include "base/errors.h"
#include "base/paths.h"
#include "formats/date_pattern.h"
#include "settings/settings_store.h"
#include "system/folders.h"
#include "system/operands.h"
#include "system/version.h"

namespace tolvanex {

namespace {

// A pair of switches such as --post / --no-post. Both are plain flags; which one wins is decided
// after parsing from the order in which they were given, so that the last one counts.
struct Switch {
  CLI::Option* On;
  CLI::Option* Off;
  std::optional<int>* Target;
};

Switch AddSwitch(CLI::App& app, const std::string& name, std::optional<int>& target) {
  return {app.add_flag("--" + name), app.add_flag("--no-" + name), &target};
}

void ApplySwitches(const CLI::App& app, const std::vector<Switch>& switches) {
  for (const CLI::Option* given : app.parse_order()) {
    for (const Switch& pair : switches) {
      if (given == pair.On) *pair.Target = 1;
      if (given == pair.Off) *pair.Target = 0;
    }
  }
}

// A usage error: one line that says what is wrong, and where to read more.
int UsageError(std::string message) {
  for (char& c : message) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  std::cerr << "tolvanex-batch: " << EscapeControls(message) << "\n"
            << "Try 'tolvanex-batch --help'.\n";
  return kExitUsage;
}

// What the parser cannot check: options that exclude each other, and files and folders that
// must be there before anything is converted. The empty text when all is well.
std::string Contradiction(const BatchOptions& options) {
  if (options.DataFile && !options.DataFiles.empty()) {
    return "--data and data file operands cannot be given together";
  }
  if (options.SettingsFile && !FileExists(*options.SettingsFile)) {
    return "no settings file " + *options.SettingsFile;
  }
  if (options.ArchiveFolder && !FolderIsWritable(*options.ArchiveFolder)) {
    return "--archive: no folder that takes files: " + *options.ArchiveFolder;
  }
  if (options.DateFormat && !DatePatternAllowed(*options.DateFormat)) {
    return "--date-format: a date pattern cannot hold a line break or NUL";
  }
  if (options.LogFile) {
    try {
      RunLog log(*options.LogFile);
    } catch (...) {
      return "--log: cannot write to " + *options.LogFile + ": " +
             DescriptionOf(std::current_exception());
    }
  }
  return std::string();
}

}  // namespace

int WorseExitStatus(int a, int b) {
  auto rank = [](int status) {
    switch (status) {
      case kExitFinished:
        return 0;
      case kExitWithReports:
        return 1;
      default:
        return 2;
    }
  };
  return rank(a) >= rank(b) ? a : b;
}

std::optional<int> ParseBatchOptions(int argc, const char* const* argv, BatchOptions& options) {
  CLI::App app{"", "tolvanex-batch"};
  std::string notice = kVersionNotice;
  notice.pop_back();  // the line end comes with the answer
  app.set_version_flag("--version",
                       "tolvanex-batch " + std::string(kReleaseVersion) + "\n" + notice);
  app.add_option("DATAFILE", options.DataFiles);
  app.add_option("--settings", options.SettingsFile);
  app.add_option("--data", options.DataFile);
  app.add_option("--lookup", options.LookupFile);
  app.add_option("--archive", options.ArchiveFolder);
  app.add_option("--log", options.LogFile);
  std::vector<Switch> switches;
  switches.push_back(AddSwitch(app, "post", options.OutputPostFile));
  app.add_option("--post-folder", options.PostFolder);
  switches.push_back(AddSwitch(app, "sort", options.SortLookup));
  switches.push_back(AddSwitch(app, "text", options.OutputTextFile));
  app.add_option("--output-folder", options.OutputFolder);
  app.add_option("--extension", options.Extension);
  app.add_option("--date-format", options.DateFormat);
  app.add_flag("--no-prompt", options.NoPrompt);
  app.add_flag("--no-wait", options.NoWait);
  app.add_flag("--json", options.Json);
  app.add_flag("--quiet", options.Quiet);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << BatchHelpText();
    return kExitFinished;
  } catch (const CLI::CallForVersion&) {
    std::cout << app.version() << '\n';
    return kExitFinished;
  } catch (const CLI::ParseError& e) {
    return UsageError(e.what());
  }
  ApplySwitches(app, switches);
  options.DataFiles = ExpandWildcards(options.DataFiles);
  if (std::string problem = Contradiction(options); !problem.empty()) return UsageError(problem);
  return std::nullopt;
}

void ApplyBatchOptions(const BatchOptions& options, Settings& settings) {
  if (options.DataFile) settings.DataFile = *options.DataFile;
  if (options.OutputPostFile) settings.OutputPostFile = *options.OutputPostFile;
  if (options.PostFolder) settings.PostFolder = *options.PostFolder;
  if (options.LookupFile) settings.LookupFile = *options.LookupFile;
  if (options.SortLookup) settings.SortLookup = *options.SortLookup;
  if (options.OutputTextFile) settings.OutputTextFile = *options.OutputTextFile;
  if (options.Extension) settings.Extension = *options.Extension;
  if (options.OutputFolder) settings.OutputFolder = *options.OutputFolder;
  if (options.DateFormat) settings.DateFormat = *options.DateFormat;
}

}  // namespace tolvanex
