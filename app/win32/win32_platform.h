// The desktop of the window on Windows: the system's message box, the site prompt's input box,
// the common open dialog, the shell's folder picker, the wait pointer, and the services that the
// front ends share (the instance lock, notepad, the program's own folder).
#pragma once

#include <windows.h>

#include <string>

#include "system/desktop.h"
#include "ui/platform.h"

namespace tolvanex::win32 {

class MainWindow;

class Win32Platform : public Platform {
 public:
  Win32Platform();

  // The window whose controls the desktop shows; none until it is built.
  void Attach(MainWindow* view) { view_ = view; }
  // The pointer over the window: the run's wait pointer, or none for the controls' own. A box
  // that waits for the user shows the arrow, even over the window it stops.
  HCURSOR WindowPointer() const;

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
  int CurrentYear() const override { return LocalYear(); }
  void CloseWindow() override;

 private:
  // Around each box that waits for the user: the pointer is the arrow until the box closes.
  class ModalBox {
   public:
    explicit ModalBox(Win32Platform& desktop);
    ModalBox(const ModalBox&) = delete;
    ModalBox& operator=(const ModalBox&) = delete;
    ~ModalBox();

   private:
    Win32Platform& desktop_;
  };

  HWND Owner() const;

  DesktopServices services_;
  MainWindow* view_ = nullptr;
  int pointer_ = kPointerDefault;
  int modalBoxes_ = 0;
};

}  // namespace tolvanex::win32
