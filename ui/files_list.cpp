#include "ui/files_list.h"

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "model/run_state.h"
#include "system/folders.h"
#include "ui/frm_tolvanex.h"
#include "ui/show_error.h"

namespace tolvanex {

bool MatchesExtension(std::string_view name, std::string_view extension) {
  if (name.empty() || name.front() == '.') return false;
  if (extension.empty() && name.find('.') == std::string_view::npos) return true;
  std::string tail = "." + std::string(extension);
  return EndsWithIgnoringCase(name, tail);
}

void RefreshFilesListBox(Frm_Tolvanex& form) {
  try {
    std::string folder = AddBackslash(form.Lbl_Folder[1].Caption);
    form.Lst_Files.Clear();
    // The refill drops the selection, and with it what the list's edit button would open.
    form.Cmd_Edit[2].Enabled = false;

    // An empty caption lists the current folder, where a bare file name would be found too.
    const std::string& extension = form.Txt_Extension.Text;
    auto names = OrdinaryFilesIn(
        folder, [&extension](std::string_view name) { return MatchesExtension(name, extension); });
    if (!names) return;
    for (const std::string& name : *names) form.Lst_Files.AddItem(name);
  } catch (...) {
    ShowError(form, labels::kRefreshFilesListBox);
  }
}

std::string EditPath(const Frm_Tolvanex& form, int index) {
  switch (index) {
    case 0:
      return form.Txt_File[0].Text;
    case 1:
      return form.Txt_File[1].Text;
    case 2:
      return AddBackslash(form.Lbl_Folder[1].Caption) + form.Lst_Files.Text();
    case 3:
      return form.Lbl_File[0].Caption;
    default:
      return std::string();
  }
}

void EditFile(Frm_Tolvanex& form, int index) {
  std::string path;
  try {
    path = EditPath(form, index);
    // No test for existence: the editor offers to create a file that is missing.
    form.Desktop.StartEditor(path);
  } catch (...) {
    ShowError(form, std::string(labels::kEditFile) + path);
  }
}

void Cmd_Edit_Click(Frm_Tolvanex& form, int index) {
  EditFile(form, index);
  form.Engine.ForgetLookupTable();
}

void Lst_Files_Click(Frm_Tolvanex& form) {
  SetProcessing(form);
}

void Lst_Files_DblClick(Frm_Tolvanex& form) {
  EditFile(form, 2);
}

}  // namespace tolvanex
