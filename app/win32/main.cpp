// tolvanex.exe: the window on Windows.
//
// Two options serve scripted runs: --settings FILE reads that settings file instead of the one
// beside the program (and takes no single-instance lock), and --process-and-exit presses Process
// once the window is up and closes the window after the run (exit status 1 when the run did not
// reach the end of its data file). --help and --version answer in a message box.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <ole2.h>

#include "app/win32/main_window.h"
#include "app/win32/message_pump.h"
#include "app/win32/win32_platform.h"
#include "app/win32/window_options.h"
#include "base/errors.h"
#include "system/stop_requests.h"
#include "system/win32/wide_text.h"
#include "ui/frm_tolvanex.h"

int main(int argc, char** argv) {
  using namespace tolvanex;
  // A request to stop from outside (Ctrl-C of a console that started it, the session ending)
  // closes the window as Exit does, from the first statement on.
  WatchStopRequests(false);
  win32::WindowOptions options = win32::ReadWindowOptions(argc, argv);
  if (options.Answer) {
    ::MessageBoxW(nullptr, win32::WideFromAnsi(*options.Answer).c_str(),
                  win32::WideFromAnsi(kApplicationTitle).c_str(), MB_OK);
    return options.AnswerStatus;
  }

  // The folder picker's new style needs OLE on this thread.
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);

  win32::Win32Platform desktop;
  Frm_Tolvanex form(desktop);
  win32::MainWindow window(form, desktop);
  window.Load(options.SettingsFile.value_or(std::string()));
  // A second instance has said so and closed its window before it was ever shown.
  if (window.Closed()) return 0;
  window.CloseOnStopRequests();
  window.Open();
  if (options.ProcessAndExit) ::PostMessageW(window.Window(), win32::kProcessAndClose, 0, 0);
  int status = win32::RunMessageLoop(window);
  ::OleUninitialize();
  if (options.ProcessAndExit && !form.Run.ReachedEndOfData) return 1;
  return status;
}
