// The test double of the desktop: answers are queued in advance, every call is recorded.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/german_settings.h"
#include "ui/controls.h"
#include "ui/frm_tolvanex.h"
#include "ui/platform.h"

namespace tolvanex::testing {

struct ShownMessage {
  std::string Text;
  std::string Title;
};

struct InputBoxCall {
  std::string Prompt;
  std::string Title;
  std::string DefaultAnswer;
};

struct OpenDialogCall {
  std::vector<FileFilter> Filters;
  std::string InitialName;
};

struct FolderPickerCall {
  std::string Prompt;
  std::string StartFolder;
};

class ScriptedPlatform : public Platform {
 public:
  // Answers, taken in order. An input box with no queued answer is cancelled (empty text); a
  // dialog or picker with none is cancelled too.
  std::deque<std::string> InputAnswers;
  std::deque<std::optional<std::string>> OpenAnswers;
  std::deque<std::optional<std::string>> FolderAnswers;

  // What the desktop reports.
  bool InstanceRunning = false;
  ProgramInfo Info{"/opt/tolvanex", "tolvanex", 1, 0, 7};
  tolvanex::RegionalSettings Settings;
  int Year = 2023;
  bool EditorFails = false;

  // What the program did.
  std::vector<ShownMessage> Messages;
  std::vector<InputBoxCall> InputBoxes;
  std::vector<OpenDialogCall> OpenDialogs;
  std::vector<FolderPickerCall> FolderPickers;
  std::vector<std::string> EditorPaths;
  std::vector<int> PointerHistory;
  int Pointer = kPointerDefault;
  int WindowsClosed = 0;

  void MessageBox(const std::string& text, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer) override;
  std::optional<std::string> ShowOpen(const std::vector<FileFilter>& filters,
                                      const std::string& initialName) override;
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string& startFolder) override;
  int MousePointer() const override { return Pointer; }
  void SetMousePointer(int code) override;
  void StartEditor(const std::string& path) override;
  bool AnotherInstanceRunning() override { return InstanceRunning; }
  ProgramInfo Program() const override { return Info; }
  tolvanex::RegionalSettings Regional() const override { return Settings; }
  int CurrentYear() const override { return Year; }
  void CloseWindow() override { ++WindowsClosed; }

  // The texts of all message boxes shown, in order.
  std::vector<std::string> MessageTexts() const;
};

// Points the window at a run folder that PrepareRunFolder filled: both outputs, the lookup sorted,
// extension "txt" and the default date pattern.
void PointWindowAt(Frm_Tolvanex& form, const std::string& folder);

}  // namespace tolvanex::testing
