// tolvanex-batch: conversions without a window, with the window's settings file, for scripts
// and scheduled jobs. It never writes the settings and takes no single-instance lock.
#include "app/batch/batch_options.h"
#include "app/batch/data_file_runs.h"
#include "app/batch/terminal_platform.h"
#include "model/frm_tolvanex.h"
#include "settings/ini_location.h"
#include "settings/settings_store.h"
#include "system/desktop.h"
#include "system/stop_requests.h"
#include "system/terminal.h"
#include "ui/startup.h"

int main(int argc, char** argv) {
  using namespace tolvanex;
  OpenMissingStandardStreams();
  BatchOptions options;
  if (auto exitStatus = ParseBatchOptions(argc, argv, options)) return *exitStatus;

  // A signal is the run button's Cancel: the run ends after the line in hand. A second one
  // ends the program at once.
  WatchStopRequests(true);

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
  FillColumnLevels(form);
  ApplyBatchOptions(options, form);

  return ConvertDataFiles(form, desktop, options);
}
