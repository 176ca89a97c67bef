// tolvanex-batch: conversions without a window, with the window's settings file, for scripts
// and scheduled jobs. It never writes the settings and takes no single-instance lock.
#include "app/batch/batch_options.h"
#include "app/batch/data_file_runs.h"
#include "app/batch/terminal_observer.h"
#include "base/default_paths.h"
#include "settings/ini_location.h"
#include "settings/settings_store.h"
#include "system/desktop.h"
#include "system/regional.h"
#include "system/stop_requests.h"
#include "system/terminal.h"

namespace tolvanex {
namespace {

// What the window's controls hold before its settings are read: a setting that cannot be read
// keeps it, in the batch command as in the window.
Settings StartingSettings() {
  Settings settings;
  settings.DataFile = "SondrelFile.dat";
  settings.PostFolder = DefaultPostFolder();
  settings.LookupFile = "Sondrel.lkp";
  settings.Extension = "dat";
  settings.OutputFolder = DefaultPostFolder();
  settings.DateFormat = "Combo1";
  return settings;
}

}  // namespace
}  // namespace tolvanex

int main(int argc, char** argv) {
  using namespace tolvanex;
  // A signal is the run button's Cancel from the first statement on: the run ends after the line
  // in hand (one that comes before a run keeps the data files from starting). A second one ends
  // the program at once.
  WatchStopRequests(true);
  OpenMissingStandardStreams();
  // A reader of the output that has gone ends the command after the run in hand, never by a
  // signal in the middle of a file.
  TakeClosedPipesAsWriteErrors();
  BatchOptions options;
  if (auto exitStatus = ParseBatchOptions(argc, argv, options)) return *exitStatus;

  TerminalOptions terminalOptions;
  terminalOptions.ShowProgress = !options.Quiet && IsTerminal(StandardStream::Error);
  terminalOptions.Prompt = !options.NoPrompt;
  TerminalObserver terminal(terminalOptions);

  // The window's settings file is found from this program's folder under the window's name.
  SettingsFile file;
  file.Program = RunningProgram();
  file.Program.Name = "tolvanex";
  file.Path = options.SettingsFile ? *options.SettingsFile : IniFilePath(file.Program);
  file.Regional = RegionalSettingsFromLocale("");
  Settings settings = StartingSettings();
  // A setting that did not take is a report of every run made with these settings.
  LoadSettings(file, settings, terminal);
  ApplyBatchOptions(options, settings);

  return ConvertDataFiles(settings, options, terminal);
}
