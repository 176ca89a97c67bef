// The window: a dialog whose controls show the window model, each control's message handed to
// the window controller, which runs its routine with the values copied in before and out after.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "app/win32/control_binding.h"
#include "app/win32/window_layout.h"
#include "ui/window_controller.h"
#include "ui/window_view.h"

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::win32 {

class Win32Platform;

// Posted to the window when a task waits to run on its thread.
inline constexpr UINT kTaskPosted = WM_APP + 2;

class MainWindow : private WindowView {
 public:
  // Makes the window, not yet shown; the form's desktop is the given one, which then serves
  // this window.
  MainWindow(Frm_Tolvanex& form, Win32Platform& desktop);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // The start-up of the window model, before the window is first shown; with a settings file
  // given, that file is read and no instance test made.
  void Load(const std::string& iniFile = std::string());
  // Shows the window for the first time: where it stood when it last closed, moved onto the
  // screens as they are now, or at its default size in the middle of the screen.
  void Open();
  // From now on, each request to stop from outside the program (Ctrl-C of a console that started
  // it, the session ending) closes the window as Exit does: a run going is cancelled first.
  void CloseOnStopRequests() { controller_.CloseOnStopRequests(); }
  // True once the close request has gone through: the program ends with the window.
  bool Closed() const { return controller_.Closed(); }
  bool RunGoing() const { return controller_.Running(); }
  HWND Window() const { return window_; }
  // Presses Process, and closes the window once that run has ended.
  void ProcessAndClose() { controller_.ProcessAndClose(); }
  // Shows the window model's values in the controls.
  void ShowModel() { ShowModel(true); }

  // The owner of the desktop's boxes: the window while it is in sight, else none.
  HWND Owner() const;
  // Closes the window as its close box does: a run going is cancelled first, and the window
  // closes when the run has ended.
  void CloseWindow() { controller_.RequestClose(); }
  // The window's keyboard handling of a message (its shortcuts, Tab between controls); true when
  // the message has been handled and must not be dispatched.
  bool TakeMessage(MSG& message);

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Initialise();
  void OnCommand(int id, int code);
  void OnDrop(HDROP drop);
  void KeepLineBreaksOutOfDateFormat();
  void RunPostedTasks();

  void ReadControls() override { binding_->Pull(form_); }
  void ShowModel(bool withFilesList) override;
  void Post(std::function<void()> task) override;
  void StartTicks(std::chrono::milliseconds interval) override;
  void StopTicks() override;
  // The window goes out of sight at once when it is to close; what is left to do (the line in
  // hand of a run, flushing its files, saving the settings) goes on unseen.
  void LeaveSight() override;
  void CloseForGood() override;
  std::chrono::milliseconds DoubleClickInterval() const override;
  // The text of a control's tip as the tip is about to show.
  void FillToolTip(NMTTDISPINFOW& tip);
  void SetFilesRowHeight();
  void KeepSmallestSize(MINMAXINFO& limits) const;
  void LayOut();
  void Paint();

  Frm_Tolvanex& form_;
  Win32Platform& desktop_;
  HWND window_ = nullptr;
  std::unique_ptr<ControlBinding> binding_;
  std::array<GroupFrame, 2> frames_{};
  HACCEL shortcuts_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::wstring tipText_;  // the text of the tip on show
  std::mutex tasksMutex_;
  std::deque<std::function<void()>> tasks_;  // posted from any thread, run on the window's
  WindowController controller_;
};

}  // namespace tolvanex::win32
