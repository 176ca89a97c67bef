// The matrix of many sites and a long lookup table: the batch command over generated data of many
// identifier pairs and with a long lookup table, each figure as a ratio to the run of 20 pairs and
// 20 entries in the same mode and to the I/O floor of its data file.
#pragma once

#include "process_runs.h"
#include "targets.h"

namespace bench {

// Needs --matrix (the folder the data is generated into, once) and --generate (generate_data);
// --matrix-lines sets the lines of each data file. Every run writes into a folder of its own from
// folders.
void RunMatrix(const Options& options, RunFolders& folders, int rounds, Targets& targets);

}  // namespace bench
