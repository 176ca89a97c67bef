#include "ui/startup.h"

#include "base/errors.h"
#include "base/labels.h"
#include "settings/ini_location.h"
#include "settings/settings_store.h"
#include "settings/window_settings.h"
#include "system/version.h"
#include "ui/files_list.h"
#include "ui/frm_tolvanex.h"
#include "ui/pickers.h"
#include "ui/show_error.h"

namespace tolvanex {

void Form_Load(Frm_Tolvanex& form) {
  try {
    if (form.Desktop.AnotherInstanceRunning()) {
      // IniFile stays empty, so the close request of this window writes no settings.
      form.Desktop.MessageBox(form.Desktop.Program().Name + " is already running",
                              std::string(kApplicationTitle));
      form.Desktop.CloseWindow();
      return;
    }
    LoadWindow(form, IniFilePath(form.Desktop.Program()));
  } catch (...) {
    ShowError(form, labels::kLoad);
  }
}

Settings SettingsOf(const Frm_Tolvanex& form) {
  return Settings{
      form.Txt_File[0].Text,   form.Chk_OutputPostFile.Value, form.Lbl_Folder[0].Caption,
      form.Txt_File[1].Text,   form.Chk_SortLookup.Value,     form.Chk_OutputTextFiles.Value,
      form.Txt_Extension.Text, form.Lbl_Folder[1].Caption,    form.Cmb_Dateformat.Text};
}

void ShowSettings(Frm_Tolvanex& form, const Settings& values) {
  form.Txt_File[0].Text = values.DataFile;
  form.Chk_OutputPostFile.Value = values.OutputPostFile;
  form.Lbl_Folder[0].Caption = values.PostFolder;
  form.Txt_File[1].Text = values.LookupFile;
  form.Chk_SortLookup.Value = values.SortLookup;
  form.Chk_OutputTextFiles.Value = values.OutputTextFile;
  form.Txt_Extension.Text = values.Extension;
  form.Lbl_Folder[1].Caption = values.OutputFolder;
  form.Cmb_Dateformat.Text = values.DateFormat;
}

void LoadWindow(Frm_Tolvanex& form, const std::string& iniFile) {
  form.IniFile = iniFile;
  // The list exists before the stored format is put into the box, and the files list is read
  // only after the settings have named the output folder and the extension.
  FillDateFormatList(form);
  WindowReports reports(form);
  Settings values = SettingsOf(form);
  LoadSettings({iniFile, form.Desktop.Program(), form.Regional}, values, reports);
  ShowSettings(form, values);
  form.Placement = LoadWindowPlacement(iniFile, reports);
  RefreshFilesListBox(form);
}

void FillDateFormatList(Frm_Tolvanex& form) {
  form.Cmb_Dateformat.Items.clear();
  for (std::string_view format : kDateFormats) form.Cmb_Dateformat.Items.emplace_back(format);
}

void Form_QueryUnload(Frm_Tolvanex& form) {
  WindowReports reports(form);
  SaveSettings(form.IniFile, SettingsOf(form), reports);
  SaveWindowPlacement(form.IniFile, form.Placement, reports);
}

void Cmd_Close_Click(Frm_Tolvanex& form) {
  WindowReports reports(form);
  SaveSettings(form.IniFile, SettingsOf(form), reports);
  form.Desktop.CloseWindow();
}

void mnu_File_Click(Frm_Tolvanex& form, int index) {
  switch (index) {
    case 0:
      // Unlike the file button, the menu keeps the lookup table loaded.
      GetFileName(form, 0);
      break;
    case 1:
      form.Desktop.CloseWindow();
      break;
    default:
      break;
  }
}

void mnu_Help_Click(Frm_Tolvanex& form, int /*index*/) {
  form.Desktop.MessageBox(AboutText(form.Desktop.Program()), std::string(kAboutTitle));
}

std::string AboutText(const ProgramInfo& program) {
  std::string text = "Sondrel data processing\r\n";
  text += "Made by the Tolvanex developers\r\n";
  text += "support@tolvanex.invalid\r\n";
  text += "Version " + VersionText(program.Major, program.Minor, program.Revision);
  return text;
}

}  // namespace tolvanex
