#include "core/run_locks.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

#include "base/errors.h"
#include "base/paths.h"
#include "core/conversion.h"
#include "system/file_io.h"
#include "system/folders.h"

namespace tolvanex {

namespace {

constexpr auto kLookAgainAfter = std::chrono::milliseconds(100);

// A folder as the system names it, links followed; empty when it does not exist.
std::string ExistingFolder(const std::string& folder) {
  std::string resolved = io::ResolvedPath(folder.empty() ? std::string(".") : folder);
  return io::NameIsTaken(resolved) ? resolved : std::string();
}

}  // namespace

std::vector<std::string> FoldersToLock(const Conversion& conversion) {
  std::vector<std::string> folders;
  auto add = [&folders](const std::string& folder) {
    std::string existing = ExistingFolder(folder);
    if (!existing.empty()) folders.push_back(existing);
  };
  if (conversion.Request.WritePostFiles) {
    add(conversion.Request.PostFolder);
    add(io::FolderOfPath(io::ResolvedPath(conversion.Request.LookupFile)));
  }
  if (conversion.Request.WriteTextFiles) add(conversion.Request.TextFolder);
  // One order for every run, so that two runs never each hold a lock the other waits for.
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  return folders;
}

bool TakeRunLocks(Conversion& conversion) {
  auto& run = conversion.Run;
  for (const std::string& folder : FoldersToLock(conversion)) {
    io::File lock;
    std::string lockPath = AddBackslash(folder) + kLockFileName;
    try {
      lock = io::OpenLockFile(lockPath);
    } catch (...) {
      // A folder that nothing may be written to needs no lock: every write there fails and is
      // reported by its writer. Anywhere else a lock that cannot be taken (its name taken by a
      // link, a FIFO, a folder; an I/O error) would let two runs write the same files at once.
      if (!FolderIsWritable(folder)) continue;
      throw Failure("The lock file " + lockPath +
                    " cannot be used: " + DescriptionOf(std::current_exception()));
    }
    bool told = false;
    while (!lock.TryLock()) {
      if (!conversion.Request.WaitForOtherRuns)
        throw Failure("Another run is writing to " + folder);
      if (!told) {
        std::string waiting = "Waiting for another run to finish with " + folder;
        conversion.SetStatus(waiting);
        conversion.ShowStatus(true);
        conversion.Observer.Note(waiting);
        told = true;
      }
      conversion.ShowStatus();
      if (conversion.Observer.StopRequested()) run.StopRequested = true;
      if (run.StopRequested) return false;
      std::this_thread::sleep_for(kLookAgainAfter);
    }
    run.Locks.push_back(std::move(lock));
  }
  return true;
}

}  // namespace tolvanex
