// The window: a dialog whose controls show the window model, each control's message handed to
// the model's routine with the values copied in before and out after.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "app/win32/control_binding.h"
#include "app/win32/win32_view.h"
#include "app/win32/window_layout.h"

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::win32 {

class Win32Platform;

// Posted to the window to press Process once and close the window after the run.
inline constexpr UINT kProcessAndClose = WM_APP + 1;

class MainWindow : public Win32View {
 public:
  // Makes the window, not yet shown; the form's desktop is the given one, which then serves
  // this window.
  MainWindow(Frm_Tolvanex& form, Win32Platform& desktop);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // The start-up of the window model, before the window is first shown.
  void Load();
  // Shows the window for the first time: where it stood when it last closed, moved onto the
  // screens as they are now, or at its default size in the middle of the screen.
  void Open();
  // True once the close request has gone through: the program ends with the window.
  bool Closed() const { return closed_; }
  HWND Window() const { return window_; }

  HWND Owner() const override;
  bool RunGoing() const override;
  void ShowModel() override;
  void ShowStatus(const BorderedLabel& status) override;
  // Closes the window as its close box does: a run going is cancelled first, and the window
  // closes when the run has ended.
  void CloseWindow() override;
  bool TakeMessage(MSG& message) override;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Initialise();
  void OnCommand(int id, int code);
  void OnClose();
  void OnDrop(HDROP drop);
  void KeepLineBreaksOutOfDateFormat();
  void PressRunButton();
  // One message of a control: the user's values into the model, the routine, the model's values
  // back to the controls.
  template <typename Routine>
  void Handle(Routine routine);
  // Notes the window's place and size for the settings file.
  void KeepPlacement();
  // The window goes out of sight at once when it is to close; what is left to do (the line in
  // hand of a run, flushing its files, saving the settings) goes on unseen.
  void LeaveSight();
  // The text of a control's tip as the tip is about to show.
  void FillToolTip(NMTTDISPINFOW& tip);
  void SetFilesRowHeight();
  void KeepSmallestSize(MINMAXINFO& limits) const;
  void LayOut();
  void Paint();
  // Whether the system's command would hold a run: the menu bar's and the system menu's loops.
  bool HoldsRun(WPARAM command) const;
  // The system's move and size loop holds a run until the mouse lets go: the status line and
  // the progress bar say so meanwhile.
  void ShowRunHeld(bool held);

  Frm_Tolvanex& form_;
  Win32Platform& desktop_;
  HWND window_ = nullptr;
  std::unique_ptr<ControlBinding> binding_;
  std::array<GroupFrame, 2> frames_{};
  HACCEL shortcuts_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::wstring tipText_;  // the text of the tip on show
  static constexpr std::chrono::seconds kFilesListInterval{1};
  std::chrono::steady_clock::time_point filesListShown_{};
  bool closed_ = false;
  bool closeAfterRun_ = false;
};

}  // namespace tolvanex::win32
