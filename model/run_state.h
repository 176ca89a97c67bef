// The state that the run driver, the two writers and the site prompt share. All of it belongs to
// one run: Reset() empties it when the next run starts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/date_memo.h"
#include "formats/date_pattern.h"
#include "formats/decimal_shortcuts.h"
#include "model/text_file_cache.h"
#include "system/output_file.h"

namespace tolvanex {

struct RunState {
  bool StopRequested = false;  // end the line loop after the line in hand
  // The open post file, under a temporary name until it is complete; not open when none is.
  io::OutputFile PostFile;
  std::string PostFileStem;               // its name without letter and extension
  int PostFileIndex = 0;                  // the name shown for it: 0 plain, 1 to 25 A to Y
  std::int64_t OpenPostFileReadings = 0;  // its readings that have reached it
  TextFileCache TextFiles;                // the text files written in this run, kept open
  std::int64_t PostFileCount = 0;         // post files this run has published
  // Reading lines written in this run by both writers and in a file under its own name: a post
  // file's readings count once it has its name, a text file's once their lines reach the file.
  std::int64_t ReadingsPosted = 0;
  // The last run read its data file to the end, rather than ending early or failing.
  bool ReachedEndOfData = false;
  // How far the run has come through the data file, for the front ends' progress displays.
  std::uint64_t DataBytesRead = 0;
  std::uint64_t DataFileSize = 0;
  // What the run wrote, for a front end's account of it: the post files started (each by the
  // name it got, or was to get when it could not be completed), and the readings that went to
  // post files; per text file, TextFiles.Tallies(). ReadingsPosted counts both writers together.
  std::vector<std::string> PostFilesStarted;
  std::int64_t PostFileReadings = 0;

  // The locks of the folders this run writes to, held until it ends.
  std::vector<io::File> Locks;
  // The lookup file has been compared with the table kept loaded since an earlier run.
  bool LookupChecked = false;

  // The post folder whose temporaries left behind by killed runs this run has removed.
  bool PostFolderSwept = false;
  std::string SweptPostFolder;

  // What the run has worked out once and uses for many readings.
  DateTextMemo DataFileDates;      // the date field of the data lines
  DateTextMemo TextFileDates;      // the date in front of the lines written to text files
  DatePattern ReadingPattern{""};  // the text files' date pattern read into its codes
  KnownDigits ReadingTimeDigits;   // the digits of the last reading time written
  // Reused for every reading, so that a line costs no allocation.
  std::string Line;

  // Empties everything of the last run but the files, which that run has closed.
  void Reset();
  // Readings written so far, those in the post file in hand included, for progress displays.
  std::int64_t ReadingsWritten() const { return ReadingsPosted + OpenPostFileReadings; }
};

}  // namespace tolvanex
