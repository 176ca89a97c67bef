// The desktop of the window: Qt's dialogs, message and input boxes, the override cursor, and the
// POSIX services for the instance lock, the editor and the program's own folder.
#pragma once

#include <chrono>
#include <string>

#include "ui/platform.h"
#include "system/desktop.h"
#include "ui/window_events.h"

class QWidget;

namespace tolvanex::qt {

class QtView;

class QtPlatform : public Platform {
 public:
  QtPlatform();
  // With the lock file of the single-instance test given, for tests.
  explicit QtPlatform(std::string lockPath);

  // The window whose controls the desktop shows; none until it is built.
  void Attach(QtView* view) { view_ = view; }
  // The next DoEvents lets events through at once: a run's first line shows its Cancel button.
  void RestartEventClock() { events_.Restart(); }

  void MessageBox(const std::string& text, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer) override;
  std::optional<std::string> ShowOpen(const std::vector<FileFilter>& filters,
                                      const std::string& initialName) override;
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string& startFolder) override;
  int MousePointer() const override { return pointer_; }
  void SetMousePointer(int code) override;
  void RepaintStatus(const BorderedLabel& status) override;
  void DoEvents() override;
  void StartEditor(const std::string& path) override { services_.StartEditor(path); }
  bool AnotherInstanceRunning() override { return services_.AnotherInstanceRunning(); }
  ProgramInfo Program() const override { return services_.Program(); }
  RegionalSettings Regional() const override;
  int CurrentYear() const override;
  void CloseWindow() override;

 private:
  QWidget* Parent() const;
  // Before a modal box stops a run, the window shows where the run has got to.
  void ShowModelBeforeModal();

  DesktopServices services_;
  QtView* view_ = nullptr;
  int pointer_ = kPointerDefault;
  EventPacer events_;
};

}  // namespace tolvanex::qt
