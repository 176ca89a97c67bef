// What a conversion tells and asks whoever started it while it goes. The engine calls these from
// the thread it runs on; a window passes them on to its own thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/reports.h"

namespace tolvanex {

inline constexpr std::string_view kSitePromptTitle = "Enter site number";
inline constexpr std::string_view kSitePromptDefault = "9999";
inline constexpr std::string_view kNotASiteNumber = "Must be a site number";

// How far a run has come through its data file.
struct RunProgress {
  std::uint64_t BytesRead = 0;
  std::uint64_t FileSize = 0;
  std::int64_t ReadingsWritten = 0;  // those in the post file in hand included
  std::int64_t ReadingsPosted = 0;   // only those in files under their names
};

class RunObserver {
 public:
  virtual ~RunObserver() = default;

  // The site prompt for a pair the lookup table lacks (its text names the pair): the answer as
  // typed, or the empty text to cancel the run. A failure thrown here is the run's report.
  virtual std::string AskSiteNumber(std::string_view id1, std::string_view id2,
                                    const std::string& prompt) = 0;
  // A message that needs no answer but must be seen before the run goes on: an answer to the
  // prompt that is no number.
  virtual void Tell(const std::string& text) = 0;
  // A failure of the run, reported once; the run has kept it for its result too.
  virtual void Report(const tolvanex::Report& report) = 0;
  // A passing note, such as that the run waits for another run.
  virtual void Note(const std::string& /*text*/) {}
  // Read after every line and while the run waits: true ends the run after the line in hand.
  virtual bool StopRequested() { return false; }

  // Called after every line; cheap, for the observer to keep the latest.
  virtual void Progress(const RunProgress& /*progress*/) {}
  // Whether the status line's text is wanted now; when it is, Status follows with the text as
  // it stands. The engine asks after every line, and shows it before every report and prompt.
  virtual bool StatusWanted() { return false; }
  virtual void Status(std::string_view /*text*/) {}
  // A post file was started (with the name it is to get) or has got its name.
  virtual void PostFileNamed(const std::string& /*path*/) {}
  // A text file took a reading or skipped one: its name without the folder.
  virtual void TextFileUsed(const std::string& /*name*/) {}
};

}  // namespace tolvanex
