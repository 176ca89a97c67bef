// The I/O floor: the least any conversion of a data file costs on this machine and disk. It reads
// the file in blocks of 1 MiB, finds every line end and writes every line with its line end to
// one output file through a buffer of 1 MiB, then closes it; nothing is written back to the disk
// before the close returns, as with any file the program closes without a sync.
#pragma once

#include <string>

#include "process_runs.h"

namespace bench {

struct FloorRound {
  Timing Time;        // Ok if every byte of data went to output
  long LineEnds = 0;  // the header's included
};

// One round, timed in this process from the open of data to the close of output, which must not
// exist yet and is left in place (see run_folders.h).
FloorRound TimeFloor(const std::string& data, const std::string& output);

// One round into a folder of its own from folders, whose files leave memory once it is timed.
FloorRound FloorOnce(RunFolders& folders, const std::string& data);

}  // namespace bench
