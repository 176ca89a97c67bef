// Runs of the batch command and of the window as whole processes, timed from the fork to the
// wait, with the peak resident memory the kernel reports for the child.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "run_folders.h"

namespace bench {

using Options = std::map<std::string, std::string>;

struct Mode {
  const char* Name;
  bool Post;
  bool Text;
};

inline constexpr Mode kPostOnly{"post files only", true, false};
inline constexpr Mode kTextOnly{"text files only", false, true};
inline constexpr Mode kBoth{"both", true, true};
inline constexpr Mode kNeither{"neither", false, false};

struct Timing {
  double Seconds = 0;
  long PeakKiB = 0;
  bool Ok = false;
};

// --name value pairs.
Options ReadOptions(int argc, char** argv);

// One run of the batch command (or, with window, of the window with --process-and-exit on Qt's
// offscreen platform) over data, its output folders, settings and lookup file in a folder of
// its own from folders, whose files leave memory once the run is timed (see run_folders.h).
Timing RunOnce(const Options& options, RunFolders& folders, const std::string& data,
               const std::string& lookup, const Mode& mode, bool window);

// The median time of runs, with the highest peak; Ok only if every run was.
Timing Median(std::vector<Timing> runs);

// Runs that are compared with each other, taken round by round: in each round every one of them
// once, each round starting one further along, so that a slow spell of the machine or the
// writeback of the run before falls on all of them alike. Returns each one's median.
std::vector<Timing> Interleaved(const std::vector<std::function<Timing()>>& runs, int rounds);

}  // namespace bench
