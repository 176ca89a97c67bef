// tolvanex-batch: conversions without a window, with the window's settings file, for scripts
// and scheduled jobs. It never writes the settings and takes no single-instance lock.
#include "app/batch/batch_options.h"
#include "app/batch/data_file_runs.h"
#include "app/batch/terminal_platform.h"
#include "ui/frm_tolvanex.h"
#include "settings/ini_location.h"
#include "settings/settings_store.h"
#include "system/desktop.h"
#include "system/stop_requests.h"
#include "system/terminal.h"
#include "ui/startup.h"

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

  // The window's settings file is found from this program's folder under the window's name.
  ProgramInfo program = RunningProgram();
  program.Name = "tolvanex";
  TerminalOptions terminal;
  terminal.ShowProgress = !options.Quiet && IsTerminal(StandardStream::Error);
  terminal.Prompt = !options.NoPrompt;
  TerminalPlatform desktop(program, terminal);
  Frm_Tolvanex form(desktop);
  desktop.Follow(&form);

  form.IniFile = options.SettingsFile ? *options.SettingsFile : IniFilePath(program);
  FillDateFormatList(form);
  LoadSettings(form);
  // A setting that did not take is a report of every run made with these settings.
  desktop.KeepReportsForEveryRun();
  FillColumnLevels(form);
  ApplyBatchOptions(options, form);

  return ConvertDataFiles(form, desktop, options);
}
