// The desktop of the batch command: reports on stderr, the site prompt on stderr and stdin, a
// progress line on a terminal, and stop requests (signals) as the run button's Cancel.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace tolvanex {

class Frm_Tolvanex;

// A failure report as the window would show it: its description and its label.
struct Report {
  std::string Description;
  std::string Label;
};

struct TerminalOptions {
  bool ShowProgress = false;  // draw the progress line (stderr is a terminal, no --quiet)
  bool Prompt = true;         // ask for unknown site numbers; otherwise such a pair is a failure
};

class TerminalPlatform : public Platform {
 public:
  TerminalPlatform(ProgramInfo program, TerminalOptions options);

  // The window whose runs the progress line follows and whose run a stop request cancels.
  void Follow(Frm_Tolvanex* form) { form_ = form; }
  // The reports shown so far (those of reading the settings) count as reports of every run.
  void KeepReportsForEveryRun() { everyRun_ = reports_; }
  // A run of the data file with this number (from 1) of count starts: its reports are counted
  // afresh, from those of every run.
  void StartFile(int number, int count);
  // Erases the progress line, so that the next output starts on an empty line.
  void EndProgress();

  // The reports of the run since StartFile, those of every run first.
  const std::vector<Report>& Reports() const { return reports_; }
  // True when the last run asked for a site number and got none: stdin had ended, or asking was
  // not allowed.
  bool SiteNumberMissing() const { return siteNumberMissing_; }

  void MessageBox(const std::string& text, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer) override;
  std::optional<std::string> ShowOpen(const std::vector<FileFilter>&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  int MousePointer() const override { return pointer_; }
  void SetMousePointer(int code) override { pointer_ = code; }
  void RepaintStatus(const BorderedLabel&) override {}
  void DoEvents() override;
  void StartEditor(const std::string& path) override;
  bool AnotherInstanceRunning() override { return false; }
  ProgramInfo Program() const override { return program_; }
  RegionalSettings Regional() const override;
  int CurrentYear() const override;
  void CloseWindow() override {}
  void Note(const std::string& text) override;

 private:
  // The identifier pair of the reading in hand, as the prompt names it.
  std::string CurrentPair() const;
  void DrawProgress();

  ProgramInfo program_;
  TerminalOptions options_;
  Frm_Tolvanex* form_ = nullptr;
  int pointer_ = kPointerDefault;
  int fileNumber_ = 1;
  int fileCount_ = 1;
  std::vector<Report> reports_;
  std::vector<Report> everyRun_;
  bool siteNumberMissing_ = false;
  std::size_t progressWidth_ = 0;  // columns of the progress line on screen; 0 when none is
  std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace tolvanex
