// The test double of a conversion's observer: site numbers are queued in advance, everything the
// engine tells is recorded.
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/conversion_request.h"
#include "core/run_observer.h"

namespace tolvanex::testing {

class RecordingObserver : public RunObserver {
 public:
  // Answers to the site prompt, taken in order; with none left the prompt is cancelled.
  std::deque<std::string> SiteAnswers;
  // Called after every line (at each look at StopRequested), so that a test can act in the
  // middle of a run.
  std::function<void()> OnLine;
  bool Stop = false;  // what StopRequested answers

  std::vector<std::string> Prompts;  // the prompt's text, one a prompt
  std::vector<std::string> Told;     // "Must be a site number"
  std::vector<tolvanex::Report> Reports;
  std::vector<std::string> Notes;
  std::vector<std::string> PostFileNames;  // every name the post files were given, in order
  std::set<std::string> TextFileNames;     // the text files used, without their folder
  std::vector<RunProgress> Progresses;
  int StopLooks = 0;

  std::string AskSiteNumber(std::string_view id1, std::string_view id2,
                            const std::string& prompt) override;
  void Tell(const std::string& text) override { Told.push_back(text); }
  void Report(const tolvanex::Report& report) override { Reports.push_back(report); }
  void Note(const std::string& text) override { Notes.push_back(text); }
  bool StopRequested() override;
  void Progress(const RunProgress& progress) override { Progresses.push_back(progress); }
  void PostFileNamed(const std::string& path) override { PostFileNames.push_back(path); }
  void TextFileUsed(const std::string& name) override { TextFileNames.insert(name); }

  // The reports as the window shows them: the description, CR LF, "Tolvanex:" and the label.
  std::vector<std::string> ReportTexts() const;
};

// A request for the end-to-end run folder that PrepareRunFolder fills: both outputs, the lookup
// sorted, extension "txt", the default date pattern, English regional settings, the year 2023.
ConversionRequest RequestAt(const std::string& folder);

}  // namespace tolvanex::testing
