#include "core/run_driver.h"

#include <optional>
#include <string>

#include "base/default_paths.h"
#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "core/line_analysis.h"
#include "core/post_writer.h"
#include "core/run_locks.h"
#include "core/text_writer.h"
#include "formats/data_file_reader.h"
#include "model/frm_tolvanex.h"
#include "model/mouse_pointer.h"
#include "model/show_error.h"
#include "model/status.h"
#include "system/folders.h"

namespace tolvanex {

void Cmd_Export_Click(Frm_Tolvanex& form) {
  if (form.RunState.Running) {
    form.RunState.StopRequested = true;
    return;
  }
  DoExport(form);
}

namespace {

// The default post folder is made by the first run that writes post files into it, as the
// folder of the default lookup file and output folder is when the settings name it. A folder
// the user chose is never made: a missing one is a failure the post writer reports, as is a
// default one that cannot be made.
void MakeDefaultPostFolder(const Frm_Tolvanex& form) {
  const std::string& folder = form.Lbl_Folder[0].Caption;
  if (form.Chk_OutputPostFile.IsSet() && folder == DefaultPostFolder()) {
    // Open to whoever reads the post files, as they are.
    MakeFolders(folder, FolderAccess::AsUsual);
  }
}

}  // namespace

void DoExport(Frm_Tolvanex& form) {
  CMousePointer pointer(form.Desktop);
  auto& run = form.RunState;
  std::string path;
  std::optional<DataFileReader> data;
  try {
    pointer.MousePointer(kPointerHourglass);
    if (form.Chk_OutputTextFiles.IsSet()) form.Lst_Files.Clear();
    run.Reset();
    run.Running = true;
    SetProcessing(form);

    path = form.Txt_File[0].Text;
    MakeDefaultPostFolder(form);
    if (!TakeRunLocks(form)) {
      // The wait for another run was cancelled: this run never started.
      run.Locks.clear();
      run.Running = false;
      SetProcessing(form);
      return;
    }
    data.emplace(path);
    run.DataFileSize = data->Size();

    std::string_view line;
    bool more = true;
    while ((more = data->ReadLine(line))) {
      run.DataBytesRead = data->BytesRead();
      if (AnalyseLine(form, line)) {
        bool ok = true;
        if (form.Chk_OutputPostFile.IsSet()) ok = ExportPostFile(form);
        if (ok && form.Chk_OutputTextFiles.IsSet()) ok = ExportTextFile(form);
        ClearReading(form);
        if (!ok) break;
      }
      form.Desktop.DoEvents();
      if (run.StopRequested) break;
    }
    data->Close();
    // The last post file gets its name, and the text files are written back to the disk, before
    // the readings are counted; a file that cannot be completed leaves the run unfinished.
    bool postFileClosed = ClosePostFile(form);
    bool textFilesClosed = CloseTextFiles(form);
    run.ReachedEndOfData = postFileClosed && textFilesClosed && !more;

    if (form.Chk_OutputTextFiles.IsSet()) {
      SetStatus(form, "Finished - posted " + DecimalText(run.ReadingsPosted) + " readings");
    }
    if (form.Chk_OutputPostFile.IsSet()) {
      SetStatus(form, "Finished - posted " + DecimalText(run.ReadingsPosted) + " readings to " +
                          DecimalText(run.PostFileCount) + " post file(s)");
    }
    run.Locks.clear();
    run.Running = false;
    SetProcessing(form);
    // The readings taken stay; the lines that were cut away never reached the files.
    if (data->Shrank()) ShowError(form, kDataFileChanged, std::string(labels::kDoExport) + path);
  } catch (...) {
    run.Running = false;
    std::string label(labels::kDoExport);
    label += path;
    ShowError(form, label);
    data.reset();
    // The post file keeps the whole lines it got and is completed all the same.
    ClosePostFile(form);
    CloseTextFiles(form);
    run.Locks.clear();
    SetProcessing(form);
  }
}

}  // namespace tolvanex
