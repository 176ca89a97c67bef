#include "ui/control_states.h"

namespace tolvanex {

namespace {

const Button* ButtonOf(const Frm_Tolvanex& form, const ControlRef& control) {
  std::string_view name = control.Name;
  auto at = static_cast<std::size_t>(control.Index);
  if (name == "Cmd_GetFile") return &form.Cmd_GetFile.at(at);
  if (name == "Cmd_GetFolder") return &form.Cmd_GetFolder.at(at);
  if (name == "Cmd_Edit") return &form.Cmd_Edit.at(at);
  if (name == "Cmd_Export") return &form.Cmd_Export;
  if (name == "Cmd_Close") return &form.Cmd_Close;
  return nullptr;
}

template <typename Form>
auto CheckBoxOf(Form& form, std::string_view name) -> decltype(&form.Chk_SortLookup) {
  if (name == "Chk_OutputPostFile") return &form.Chk_OutputPostFile;
  if (name == "Chk_SortLookup") return &form.Chk_SortLookup;
  if (name == "Chk_OutputTextFiles") return &form.Chk_OutputTextFiles;
  return nullptr;
}

const std::string* TextOf(const Frm_Tolvanex& form, const ControlRef& control) {
  std::string_view name = control.Name;
  auto at = static_cast<std::size_t>(control.Index);
  if (name == "Label1") return &form.Label1.at(control.Index).Caption;
  if (name == "Txt_File") return &form.Txt_File.at(at).Text;
  if (name == "Lbl_Folder") return &form.Lbl_Folder.at(at).Caption;
  if (name == "Lbl_File") return &form.Lbl_File.at(at).Caption;
  if (name == "Txt_Extension") return &form.Txt_Extension.Text;
  if (name == "Cmb_Dateformat") return &form.Cmb_Dateformat.Text;
  if (name == "Lbl_Status") return &form.Lbl_Status.Caption;
  if (const Button* button = ButtonOf(form, control)) return &button->Caption;
  if (const CheckBox* box = CheckBoxOf(form, name)) return &box->Caption;
  return nullptr;
}

}  // namespace

bool EnabledByRun(const Frm_Tolvanex& form, const ControlRef& control) {
  return !form.Run.Running || control.Name == "Cmd_Export" || control.Name == "Lbl_Status";
}

ControlShown ShownOf(const Frm_Tolvanex& form, const ControlRef& ref) {
  ControlShown shown;
  shown.Text = TextOf(form, ref);
  shown.Enabled = EnabledByRun(form, ref);
  if (const Button* button = ButtonOf(form, ref)) {
    shown.Enabled = shown.Enabled && button->Enabled;
    shown.ToolTip = &button->ToolTip;
  }
  if (const CheckBox* box = CheckBoxOf(form, ref.Name)) shown.CheckState = box->Value;
  return shown;
}

std::string* EditedText(Frm_Tolvanex& form, const ControlRef& control) {
  auto at = static_cast<std::size_t>(control.Index);
  if (control.Name == "Txt_File") return &form.Txt_File.at(at).Text;
  if (control.Name == "Txt_Extension") return &form.Txt_Extension.Text;
  if (control.Name == "Cmb_Dateformat") return &form.Cmb_Dateformat.Text;
  return nullptr;
}

int* CheckBoxState(Frm_Tolvanex& form, const ControlRef& control) {
  CheckBox* box = CheckBoxOf(form, control.Name);
  return box != nullptr ? &box->Value : nullptr;
}

}  // namespace tolvanex
