// Runs that share a folder wait for each other. A run holds an advisory lock on a lock file in
// every folder it writes to (the post folder, the output folder and the folder of the lookup
// file) from its start to its end, so that two runs (the window and a scheduled batch job, say)
// never write the same files at the same time.
#pragma once

#include <string>
#include <vector>

namespace tolvanex {

class Conversion;

inline constexpr const char* kLockFileName = ".tolvanex.lock";

// The folders that a run with the window's present settings writes to, each named once, in the
// order in which every run takes their locks.
std::vector<std::string> FoldersToLock(const Conversion& conversion);

// Takes the locks of the run, waiting while another run holds one: the status line and a note
// say so, and the observer's stop request ends the wait. False when the wait was cancelled.
// Throws when the request is not to wait (WaitForOtherRuns) and another run holds a
// lock, and when a lock file cannot be made or opened in a folder that may be written to; a
// folder that may not be written to at all is not locked: its writers report what stands in
// their way there.
bool TakeRunLocks(Conversion& conversion);

}  // namespace tolvanex
