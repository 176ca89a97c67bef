// Everything the window needs from the desktop that is not the file system. The Qt window, the
// window on Windows and the tests' scripted double each implement it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "system/desktop.h"
#include "system/regional_settings.h"

namespace tolvanex {

// One pair of an open-file dialog's filter list: what the user reads, and the pattern it selects.
struct FileFilter {
  std::string Description;
  std::string Pattern;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// Mouse pointer codes of the application-wide pointer.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal box with one OK button and no icon.
  virtual void MessageBox(const std::string& text, const std::string& title) = 0;
  // A modal input box; the entered text, or the empty text when the user cancels.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultAnswer) = 0;
  // The open-file dialog; no value when the user cancels. The first filter is in force.
  virtual std::optional<std::string> ShowOpen(const std::vector<FileFilter>& filters,
                                              const std::string& initialName) = 0;
  // The folder picker started at a folder; no value when the user cancels.
  virtual std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                                     const std::string& startFolder) = 0;

  virtual int MousePointer() const = 0;
  virtual void SetMousePointer(int code) = 0;

  // Starts the text editor on a file, detached; throws when it cannot be started.
  virtual void StartEditor(const std::string& path) = 0;
  virtual bool AnotherInstanceRunning() = 0;
  virtual ProgramInfo Program() const = 0;
  virtual RegionalSettings Regional() const = 0;
  // For dates read without a year.
  virtual int CurrentYear() const = 0;
  virtual void CloseWindow() = 0;
};

}  // namespace tolvanex
