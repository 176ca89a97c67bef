// The batch command's side of a conversion: reports on stderr, the site prompt on stderr and
// stdin, a progress line on a terminal, and stop requests (signals) as the end of the run after
// the line in hand.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/reports.h"
#include "core/run_observer.h"

namespace tolvanex {

struct TerminalOptions {
  bool ShowProgress = false;  // draw the progress line (stderr is a terminal, no --quiet)
  bool Prompt = true;         // ask for unknown site numbers; otherwise such a pair is a failure
};

class TerminalObserver : public RunObserver, public ReportSink {
 public:
  explicit TerminalObserver(TerminalOptions options) : options_(options) {}

  // A run of the data file with this number (from 1) of count starts: its name is the one the
  // progress line shows.
  void StartFile(const std::string& dataFile, int number, int count);
  // Erases the progress line, so that the next output starts on an empty line.
  void EndProgress();
  // True when the last run asked for a site number and got none: stdin had ended, or asking was
  // not allowed.
  bool SiteNumberMissing() const { return siteNumberMissing_; }

  // A report outside a run (reading the settings): printed, and kept for SettingsReports.
  void Take(const tolvanex::Report& report) override;
  // The reports taken so far; those of reading the settings count as reports of every run.
  const std::vector<tolvanex::Report>& SettingsReports() const { return taken_; }

  std::string AskSiteNumber(std::string_view id1, std::string_view id2,
                            const std::string& prompt) override;
  void Tell(const std::string& text) override;
  // A report of a run: printed; the run keeps it in its result.
  void Report(const tolvanex::Report& report) override;
  void Note(const std::string& text) override;
  // Asked after every line and while the run waits for another: the progress line is drawn
  // here, at most ten times a second.
  bool StopRequested() override;
  void Progress(const RunProgress& progress) override { progress_ = progress; }

 private:
  // Prints a message box's text, its CR LF line breaks as lines.
  void Show(std::string_view text);
  void DrawProgress();

  TerminalOptions options_;
  std::string fileName_;  // of the data file in hand, controls escaped
  int fileNumber_ = 1;
  int fileCount_ = 1;
  RunProgress progress_;
  std::vector<tolvanex::Report> taken_;
  bool siteNumberMissing_ = false;
  std::size_t progressWidth_ = 0;  // columns of the progress line on screen; 0 when none is
  std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace tolvanex
