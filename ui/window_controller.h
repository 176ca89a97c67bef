// What both windows share about their events: the routine of each control's event, the run
// button (start, cancel, the double-click rule), the run on its thread with its progress shown
// every tick, and closing, also while a run goes. A toolkit keeps only its widgets, their layout,
// its dialogs and the binding of its controls to the names of the window model.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "ui/frm_tolvanex.h"
#include "ui/run_thread.h"
#include "ui/stop_request_watcher.h"
#include "ui/window_view.h"

namespace tolvanex {

// A run's status line and progress are shown at most this often.
inline constexpr std::chrono::milliseconds kTickInterval{50};
// During a run the files list, which grows, is shown anew at most this often.
inline constexpr std::chrono::seconds kFilesListInterval{1};

enum class ControlEvent { Click, DoubleClick };

class WindowController {
 public:
  WindowController(Frm_Tolvanex& form, WindowView& view);
  WindowController(const WindowController&) = delete;
  WindowController& operator=(const WindowController&) = delete;

  // The start-up of the window model, before the window is first shown; with a settings file
  // given, that file is read and no instance test made.
  void Load(const std::string& iniFile = std::string());
  // An event of a control or menu item, named as the window model names it ("Cmd_Edit", 2;
  // "mnu_File", 1). While a run goes only the run button takes input.
  void Handle(const ControlRef& control, ControlEvent event = ControlEvent::Click);
  // A file dropped onto a file field (0 the data file, 1 the lookup file).
  void Drop(int index, const std::string& path);
  // Whether files dragged onto the window can be dropped.
  bool CanDrop(const std::vector<std::string>& paths) const;
  // Every way of closing the window: a run going is cancelled and the window closes when it has
  // ended; otherwise the settings are saved and the window closes for good.
  void RequestClose();
  // Presses Process, and closes the window once that run has ended.
  void ProcessAndClose();
  // From now on, each request to stop from outside the program (a signal, the console's Ctrl-C,
  // the session ending) closes the window as Exit does: a run going is cancelled first. One that
  // came before closes the window as soon as its thread takes tasks.
  void CloseOnStopRequests();
  // While a run goes: its news shown, every kTickInterval.
  void Tick();

  bool Running() const { return form_.Run.Running; }
  bool Closed() const { return closed_; }

 private:
  using Routine = std::function<void()>;
  // The routines of the controls' events, from the control table and the menus.
  std::map<std::tuple<std::string_view, int, ControlEvent>, Routine> BuildRoutines();
  // One event: the user's values into the model, the routine, the model's values back.
  void Run(const Routine& routine);
  void PressRunButton();
  void StartRun();
  void RunEnded(const ConversionResult& result);
  void ShowModel();
  void CloseNow();

  Frm_Tolvanex& form_;
  WindowView& view_;
  RunThread run_;
  std::map<std::tuple<std::string_view, int, ControlEvent>, Routine> routines_;
  std::chrono::steady_clock::time_point filesListShown_{};
  bool closeAfterRun_ = false;
  bool closed_ = false;
  // Last, so that the watch ends before anything it posts to goes.
  std::unique_ptr<StopRequestWatcher> stopRequests_;
};

}  // namespace tolvanex
