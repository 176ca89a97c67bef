#include "model/run_state.h"

#include "model/frm_tolvanex.h"

namespace tolvanex {

void RunState::Reset() {
  StopRequested = false;
  Running = false;
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

void SetProcessing(Frm_Tolvanex& form) {
  const char* caption = form.RunState.Running ? "&Cancel" : "&Process";
  if (form.Cmd_Export.Caption != caption) {
    form.Cmd_Export.Caption = caption;
    form.RunState.RunButtonTurned = std::chrono::steady_clock::now();
  }
  form.Cmd_Edit[2].Enabled = form.Lst_Files.ListIndex() >= 0;
  form.Cmd_Edit[3].Enabled = !form.Lbl_File[0].Caption.empty();
}

bool RunButtonTakesClick(const RunState& run, std::chrono::steady_clock::time_point now,
                         std::chrono::milliseconds doubleClickInterval) {
  return now - run.RunButtonTurned >= doubleClickInterval;
}

}  // namespace tolvanex
