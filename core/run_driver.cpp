#include "core/run_driver.h"

#include <optional>
#include <string>

#include "core/data_file_reader.h"
#include "core/errors.h"
#include "core/helpers.h"
#include "core/labels.h"
#include "core/line_analysis.h"
#include "core/post_writer.h"
#include "core/text_writer.h"
#include "ui/frm_tolvanex.h"
#include "ui/mouse_pointer.h"

namespace tolvanex {

void Cmd_Export_Click(Frm_Tolvanex& form) {
  if (form.RunState.Running) {
    form.RunState.StopRequested = true;
    return;
  }
  DoExport(form);
}

void DoExport(Frm_Tolvanex& form) {
  CMousePointer pointer(form.Desktop);
  auto& run = form.RunState;
  std::string path;
  std::optional<DataFileReader> data;
  try {
    pointer.MousePointer(kPointerHourglass);
    if (form.Chk_OutputTextFiles.IsSet()) form.Lst_Files.Clear();
    run.StopRequested = false;
    run.ReachedEndOfData = false;
    run.LastDateText.clear();
    run.Running = true;
    run.PostFileCount = 0;
    SetProcessing(form);
    run.ReadingsPosted = 0;

    path = form.Txt_File[0].Text;
    data.emplace(path);
    run.DataFileSize = data->Size();
    run.DataBytesRead = 0;

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
    // A text file that cannot take its last lines leaves the run unfinished.
    run.ReachedEndOfData = CloseTextFiles(form) && !more;

    if (form.Chk_OutputTextFiles.IsSet()) {
      SetStatus(form, "Finished - posted " + std::to_string(run.ReadingsPosted) + " readings");
    }
    if (form.Chk_OutputPostFile.IsSet()) {
      if (run.PostFile.IsOpen()) run.PostFile.Close();
      SetStatus(form, "Finished - posted " + std::to_string(run.ReadingsPosted) + " readings to " +
                          std::to_string(run.PostFileCount) + " post file(s)");
    }
    run.Running = false;
    SetProcessing(form);
  } catch (...) {
    run.Running = false;
    std::string label(labels::kDoExport);
    label += path;
    ShowError(form, label);
    data.reset();
    try {
      run.PostFile.Close();
    } catch (...) {
      // Already failing: the post file keeps the whole lines it got.
    }
    CloseTextFiles(form);
    SetProcessing(form);
  }
}

}  // namespace tolvanex
