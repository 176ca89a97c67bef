// The run of the window: what the window shows of it, the request it makes from the controls,
// and how the window starts a run, shows its progress and takes its end.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/conversion_request.h"
#include "core/conversion_result.h"
#include "core/run_observer.h"

namespace tolvanex {

class Frm_Tolvanex;

struct WindowRun {
  bool Running = false;          // a run is going, so the run button cancels
  bool CancelRequested = false;  // Cancel or a close request came; the run ends after its line
  RunProgress Progress;          // as last shown
  int PointerBefore = 0;         // the pointer to bring back when the run ends
  // When the run button's caption last turned between "&Process" and "&Cancel".
  std::chrono::steady_clock::time_point RunButtonTurned{};
  // The last run read its data file to the end, rather than ending early or failing.
  bool ReachedEndOfData = false;
};

// What a run has told since the window last looked: its latest status and progress, the names
// its post files got, and the text files it used, one row of the files list a reading: each name
// with the readings in a row that used it.
struct RunNews {
  std::optional<std::string> Status;
  RunProgress Progress;
  std::optional<std::string> PostFile;
  std::vector<std::pair<std::string, std::int64_t>> TextFiles;
};

// The conversion the controls ask for.
ConversionRequest RequestOf(const Frm_Tolvanex& form);
// The window as a run starts: the busy pointer, an empty files list when text files are to be
// written, the run button turned to Cancel.
void BeginRun(Frm_Tolvanex& form);
// Shows what the run has told.
void ShowRunNews(Frm_Tolvanex& form, RunNews news);
// The window as a run has ended: its final status, the run button back to Process, the pointer
// as before.
void EndRun(Frm_Tolvanex& form, const ConversionResult& result);

// How far the run has come through its data file, in thousandths, for a progress bar.
int ProgressPerMille(const RunProgress& progress);

// Brings the run button's caption and the two edit buttons in line with the window's state.
void SetProcessing(Frm_Tolvanex& form);

// Whether a click on the run button that arrives at `now` is taken. A click within the
// double-click interval after the caption turned was aimed at the button as it was before: the
// second click of a double-click on Process, or a Cancel that was made while the run was ending
// and arrives once it has ended. Neither may cancel the run just started or start another.
bool RunButtonTakesClick(const WindowRun& run, std::chrono::steady_clock::time_point now,
                         std::chrono::milliseconds doubleClickInterval);

}  // namespace tolvanex
