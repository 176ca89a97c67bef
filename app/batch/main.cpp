// tolvanex-batch: one conversion without a window, with the window's settings file, for scripts
// and scheduled jobs. It never writes the settings and takes no single-instance lock.
#include <unistd.h>

#include <iostream>
#include <string_view>

#include "app/batch/batch_options.h"
#include "app/batch/terminal_platform.h"
#include "core/run_driver.h"
#include "model/frm_tolvanex.h"
#include "settings/ini_location.h"
#include "settings/settings_store.h"
#include "system/desktop.h"
#include "ui/startup.h"

namespace {

constexpr std::string_view kFinalStatus = "Finished - posted ";

}  // namespace

int main(int argc, char** argv) {
  using namespace tolvanex;
  BatchOptions options;
  if (auto exitStatus = ParseBatchOptions(argc, argv, options)) return *exitStatus;

  // The window's settings file is found from this program's folder under the window's name.
  ProgramInfo program = RunningProgram();
  program.Name = "tolvanex";
  TerminalPlatform desktop(program, !options.Quiet && ::isatty(STDERR_FILENO) == 1);
  Frm_Tolvanex form(desktop);
  desktop.Follow(&form);

  form.IniFile = options.SettingsFile ? *options.SettingsFile : IniFilePath(program);
  FillDateFormatList(form);
  LoadSettings(form);
  FillColumnLevels(form);
  ApplyBatchOptions(options, form);

  DoExport(form);
  desktop.EndProgress();
  if (form.Lbl_Status.Caption.starts_with(kFinalStatus)) {
    std::cout << form.Lbl_Status.Caption << '\n';
  }
  return form.RunState.ReachedEndOfData ? kExitFinished : kExitEarly;
}
