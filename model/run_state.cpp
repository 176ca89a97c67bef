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
  form.Cmd_Export.Caption = form.RunState.Running ? "&Cancel" : "&Process";
  form.Cmd_Edit[2].Enabled = form.Lst_Files.ListIndex() >= 0;
  form.Cmd_Edit[3].Enabled = !form.Lbl_File[0].Caption.empty();
}

}  // namespace tolvanex
