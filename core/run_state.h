// The state that the run driver, the two writers, the site prompt and the run button share.
#pragma once

#include <cstdint>
#include <string>

#include "core/file_io.h"
#include "core/text_file_cache.h"

namespace tolvanex {

class Frm_Tolvanex;

struct RunState {
  bool StopRequested = false;       // end the line loop after the line in hand
  bool Running = false;             // a run is going, so the run button cancels
  io::OutputFile PostFile;          // the open post file; not open when none is
  TextFileCache TextFiles;          // the text files written in this run, kept open
  std::int64_t PostFileCount = 0;   // post files started in this run
  std::int64_t ReadingsPosted = 0;  // reading lines written in this run, by both writers
  // The last run read its data file to the end, rather than ending early or failing.
  bool ReachedEndOfData = false;
  // How far the run has come through the data file, for the front ends' progress displays.
  std::uint64_t DataBytesRead = 0;
  std::uint64_t DataFileSize = 0;
  // The date text of the last data line and its value: the readings of one minute share it, so
  // it is read once for all of them. Emptied when a run starts.
  std::string LastDateText;
  double LastDateValue = 0;
};

// Brings the run button's caption and the two edit buttons in line with the window's state.
void SetProcessing(Frm_Tolvanex& form);

}  // namespace tolvanex
