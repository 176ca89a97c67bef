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
#include "base/errors.h"
#include "system/stop_requests.h"
#include "system/win32/wide_text.h"
#include "ui/frm_tolvanex.h"
#include "ui/window_options.h"

int main(int argc, char** argv) {
  using namespace tolvanex;
  // A request to stop from outside (Ctrl-C of a console that started it, the session ending)
  // closes the window as Exit does, from the first statement on.
  WatchStopRequests(false);
  // "/?" asks for the usage too, as Windows' own programs take it.
  bool help = false;
  WindowOptions options = ReadWindowOptions(argc, argv, [&help](const char* const* argument, int) {
    help = help || std::string_view(*argument) == "/?";
    return help ? 1 : 0;
  });
  help = help || options.Help;
  if (help || options.Version || !options.Problem.empty()) {
    std::string answer = options.Version ? WindowVersion() : std::string(WindowUsage());
    if (!help && !options.Version) answer = options.Problem + "\n\n" + answer;
    ::MessageBoxW(nullptr, win32::WideFromAnsi(answer).c_str(),
                  win32::WideFromAnsi(kApplicationTitle).c_str(), MB_OK);
    return help || options.Version ? 0 : 2;
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
  if (options.ProcessAndExit) window.ProcessAndClose();
  int status = win32::RunMessageLoop(window);
  ::OleUninitialize();
  if (options.ProcessAndExit && !form.Run.ReachedEndOfData) return 1;
  return status;
}
