// The state that the run driver, the two writers, the site prompt and the run button share. All
// of it belongs to one run: Reset() empties it when the next run starts.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "formats/date_memo.h"
#include "formats/date_pattern.h"
#include "formats/decimal_shortcuts.h"
#include "model/text_file_cache.h"
#include "system/file_io.h"

namespace tolvanex {

class Frm_Tolvanex;

struct TextFileTally {
  std::int64_t Appended = 0;
  std::int64_t Skipped = 0;
};

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
  // What the run wrote, for a front end's account of it: the post files started (their paths,
  // in order), the readings that went to post files, and per text file (by path) the readings
  // appended and those skipped as not newer. ReadingsPosted counts both writers together.
  std::vector<std::string> PostFilesStarted;
  std::int64_t PostFileReadings = 0;
  std::map<std::string, TextFileTally> TextFileTallies;

  // What the run has worked out once and uses for many readings.
  DateTextMemo DataFileDates;      // the date field of the data lines
  DateTextMemo TextFileDates;      // the date in front of the lines written to text files
  DatePattern ReadingPattern{""};  // Cmb_Dateformat read into its codes
  KnownDigits ReadingTimeDigits;   // the digits of the last reading time written
  // Reused for every reading, so that a line costs no allocation.
  std::string Line;
  std::string StatusText;

  // Empties everything of the last run but the files, which that run has closed.
  void Reset();
};

// Brings the run button's caption and the two edit buttons in line with the window's state.
void SetProcessing(Frm_Tolvanex& form);

}  // namespace tolvanex
