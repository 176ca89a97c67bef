// The desktop of the window: Qt's dialogs, message and input boxes, the override cursor, and the
// POSIX services for the instance lock, the editor and the program's own folder.
#pragma once

#include <string>

#include "system/desktop.h"
#include "ui/platform.h"

class QWidget;

namespace tolvanex::qt {

class MainWindow;

class QtPlatform : public Platform {
 public:
  QtPlatform();
  // With the lock file of the single-instance test given, for tests.
  explicit QtPlatform(std::string lockPath);

  // The window whose controls the desktop shows; none until it is built.
  void Attach(MainWindow* view) { view_ = view; }

  void MessageBox(const std::string& text, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer) override;
  std::optional<std::string> ShowOpen(const std::vector<FileFilter>& filters,
                                      const std::string& initialName) override;
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string& startFolder) override;
  int MousePointer() const override { return pointer_; }
  void SetMousePointer(int code) override;
  void StartEditor(const std::string& path) override { services_.StartEditor(path); }
  bool AnotherInstanceRunning() override { return services_.AnotherInstanceRunning(); }
  ProgramInfo Program() const override { return services_.Program(); }
  RegionalSettings Regional() const override;
  int CurrentYear() const override;
  void CloseWindow() override;

 private:
  QWidget* Parent() const;

  DesktopServices services_;
  MainWindow* view_ = nullptr;
  int pointer_ = kPointerDefault;
};

}  // namespace tolvanex::qt
