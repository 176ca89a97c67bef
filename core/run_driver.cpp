#include "core/run_driver.h"

#include <optional>
#include <string>

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

namespace tolvanex {

void Cmd_Export_Click(Frm_Tolvanex& form) {
  if (form.RunState.Running) {
    form.RunState.StopRequested = true;
    return;
  }
  DoExport(form);
}

namespace {

void ReportDataFileChanged(Frm_Tolvanex& form, const std::string& path) {
  try {
    throw Failure(kDataFileChanged);
  } catch (...) {
    std::string label(labels::kDoExport);
    label += path;
    ShowError(form, label);
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
    if (data->Shrank()) ReportDataFileChanged(form, path);
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
