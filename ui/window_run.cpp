#include "ui/window_run.h"

#include <algorithm>
#include <utility>

#include "ui/frm_tolvanex.h"
#include "ui/status.h"

namespace tolvanex {

ConversionRequest RequestOf(const Frm_Tolvanex& form) {
  ConversionRequest request;
  request.DataFile = form.Txt_File[0].Text;
  request.WritePostFiles = form.Chk_OutputPostFile.IsSet();
  request.PostFolder = form.Lbl_Folder[0].Caption;
  request.LookupFile = form.Txt_File[1].Text;
  request.SortLookup = form.Chk_SortLookup.IsSet();
  request.WriteTextFiles = form.Chk_OutputTextFiles.IsSet();
  request.TextFolder = form.Lbl_Folder[1].Caption;
  request.Extension = form.Txt_Extension.Text;
  request.DatePattern = form.Cmb_Dateformat.Text;
  request.Regional = form.Regional;
  request.CurrentYear = form.Desktop.CurrentYear();
  return request;
}

void BeginRun(Frm_Tolvanex& form) {
  WindowRun& run = form.Run;
  run.PointerBefore = form.Desktop.MousePointer();
  form.Desktop.SetMousePointer(kPointerHourglass);
  if (form.Chk_OutputTextFiles.IsSet()) form.Lst_Files.Clear();
  run.Running = true;
  run.CancelRequested = false;
  run.ReachedEndOfData = false;
  run.Progress = RunProgress();
  SetProcessing(form);
}

void ShowRunNews(Frm_Tolvanex& form, RunNews news) {
  if (news.Status) SetStatus(form, *news.Status);
  form.Run.Progress = news.Progress;
  if (news.PostFile) form.Lbl_File[0].Caption = std::move(*news.PostFile);
  for (const auto& [name, count] : news.TextFiles) form.Lst_Files.AddItems(name, count);
  SetProcessing(form);
}

void EndRun(Frm_Tolvanex& form, const ConversionResult& result) {
  WindowRun& run = form.Run;
  // The status line keeps its text when the run set none.
  if (!result.Status.empty()) SetStatus(form, result.Status);
  run.Running = false;
  run.ReachedEndOfData = result.ReachedEndOfData;
  SetProcessing(form);
  form.Desktop.SetMousePointer(run.PointerBefore);
}

int ProgressPerMille(const RunProgress& progress) {
  if (progress.FileSize == 0) return 0;
  double part = static_cast<double>(progress.BytesRead) / static_cast<double>(progress.FileSize);
  return static_cast<int>(std::min(1.0, part) * 1000);
}

void SetProcessing(Frm_Tolvanex& form) {
  const char* caption = form.Run.Running ? "&Cancel" : "&Process";
  if (form.Cmd_Export.Caption != caption) {
    form.Cmd_Export.Caption = caption;
    form.Run.RunButtonTurned = std::chrono::steady_clock::now();
  }
  form.Cmd_Edit[2].Enabled = form.Lst_Files.ListIndex() >= 0;
  form.Cmd_Edit[3].Enabled = !form.Lbl_File[0].Caption.empty();
}

bool RunButtonTakesClick(const WindowRun& run, std::chrono::steady_clock::time_point now,
                         std::chrono::milliseconds doubleClickInterval) {
  return now - run.RunButtonTurned >= doubleClickInterval;
}

}  // namespace tolvanex
