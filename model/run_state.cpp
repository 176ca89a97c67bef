#include "model/run_state.h"

namespace tolvanex {

void RunState::Reset() {
  StopRequested = false;
  PostFileCount = 0;
  ReadingsPosted = 0;
  OpenPostFileReadings = 0;
  PostFolderSwept = false;
  Locks.clear();
  LookupChecked = false;
  ReachedEndOfData = false;
  DataBytesRead = 0;
  DataFileSize = 0;
  PostFilesStarted.clear();
  PostFileReadings = 0;
  TextFiles.ClearTallies();
  DataFileDates.Clear();
  TextFileDates.Clear();
  ReadingTimeDigits = KnownDigits();
}

}  // namespace tolvanex
