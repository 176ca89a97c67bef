#include "ui/frm_tolvanex.h"

#include "base/default_paths.h"

namespace tolvanex {

Frm_Tolvanex::Frm_Tolvanex(Platform& desktop) : Desktop(desktop), Regional(desktop.Regional()) {
  Label1[0].Caption = "Folder:";
  Label1[1].Caption = "Sondrel file:";
  Label1[2].Caption = "Folder:";
  Label1[3].Caption = "Lookup file:";
  Label1[4].Caption = "Files:";
  Label1[5].Caption = "Post File:";
  Label1[6].Caption = "File Extension:";
  Label1[8].Caption = "Date format:";

  Txt_File[0].Text = "SondrelFile.dat";
  Txt_File[1].Text = "Sondrel.lkp";
  for (auto& button : Cmd_GetFile) button.Caption = "...";
  for (auto& button : Cmd_GetFolder) button.Caption = "...";
  for (auto& button : Cmd_Edit) button.Caption = "edit";
  Cmd_Edit[2].Enabled = false;
  Cmd_Edit[3].Enabled = false;
  // The "..." and "edit" captions do not say which file or folder they are for.
  Cmd_GetFile[0].ToolTip = "Choose the data file";
  Cmd_GetFile[1].ToolTip = "Choose the lookup file";
  Cmd_GetFolder[0].ToolTip = "Choose the folder for the post files";
  Cmd_GetFolder[1].ToolTip = "Choose the folder for the text files";
  Cmd_Edit[0].ToolTip = "Open the data file in the text editor";
  Cmd_Edit[1].ToolTip = "Open the lookup file in the text editor";
  Cmd_Edit[2].ToolTip = "Open the file selected in the list in the text editor";
  Cmd_Edit[3].ToolTip = "Open the last post file in the text editor";

  Chk_OutputPostFile.Caption = "Output Post files";
  Lbl_Folder[0].Caption = DefaultPostFolder();
  Lbl_Folder[1].Caption = DefaultPostFolder();
  Chk_SortLookup.Caption = "Sort";

  Chk_OutputTextFiles.Caption = "Output text files for each site";
  Txt_Extension.Text = "dat";
  Cmb_Dateformat.Text = "Combo1";

  // With its access key from the start: Alt+P must press the button, not type into a box.
  Cmd_Export.Caption = "&Process";
  Cmd_Close.Caption = "Exit";
}

const std::vector<ControlInfo>& ControlTable() {
  using K = ControlKind;
  using G = ControlGroup;
  static const std::vector<ControlInfo> table{
      {"Label1", 1, K::Label, G::TopRow},
      {"Txt_File", 0, K::TextBox, G::TopRow},
      {"Cmd_GetFile", 0, K::Button, G::TopRow},
      {"Cmd_Edit", 0, K::Button, G::TopRow},

      {"Chk_OutputPostFile", -1, K::CheckBox, G::PostFile},
      {"Label1", 0, K::Label, G::PostFile},
      {"Lbl_Folder", 0, K::BorderedLabel, G::PostFile},
      {"Cmd_GetFolder", 0, K::Button, G::PostFile},
      {"Label1", 3, K::Label, G::PostFile},
      {"Txt_File", 1, K::TextBox, G::PostFile},
      {"Cmd_GetFile", 1, K::Button, G::PostFile},
      {"Cmd_Edit", 1, K::Button, G::PostFile},
      {"Chk_SortLookup", -1, K::CheckBox, G::PostFile},
      {"Label1", 5, K::Label, G::PostFile},
      {"Lbl_File", 0, K::BorderedLabel, G::PostFile},
      {"Cmd_Edit", 3, K::Button, G::PostFile},

      {"Chk_OutputTextFiles", -1, K::CheckBox, G::TextFiles},
      {"Label1", 2, K::Label, G::TextFiles},
      {"Lbl_Folder", 1, K::BorderedLabel, G::TextFiles},
      {"Cmd_GetFolder", 1, K::Button, G::TextFiles},
      {"Label1", 6, K::Label, G::TextFiles},
      {"Txt_Extension", -1, K::TextBox, G::TextFiles},
      {"Label1", 8, K::Label, G::TextFiles},
      {"Cmb_Dateformat", -1, K::ComboBox, G::TextFiles},
      {"Label1", 4, K::Label, G::TextFiles},
      {"Lst_Files", -1, K::ListBox, G::TextFiles},
      {"Cmd_Edit", 2, K::Button, G::TextFiles},

      {"Lbl_Status", -1, K::BorderedLabel, G::BottomRow},
      {"Cmd_Export", -1, K::Button, G::BottomRow},
      {"Cmd_Close", -1, K::Button, G::BottomRow},
  };
  return table;
}

const std::vector<ControlRef>& FocusOrder() {
  static const std::vector<ControlRef> order{
      {"Txt_File", 0},
      {"Cmd_GetFile", 0},
      {"Cmd_GetFolder", 0},
      {"Cmd_GetFolder", 1},
      {"Chk_OutputPostFile", -1},
      {"Chk_OutputTextFiles", -1},
      {"Cmd_Export", -1},
      {"Cmd_Close", -1},
      {"Txt_File", 1},
      {"Cmd_GetFile", 1},
      {"Cmd_Edit", 0},
      {"Cmd_Edit", 1},
      {"Cmd_Edit", 2},
      {"Lst_Files", -1},
      {"Txt_Extension", -1},
      {"Cmd_Edit", 3},
      {"Cmb_Dateformat", -1},
      {"Chk_SortLookup", -1},
  };
  return order;
}

}  // namespace tolvanex
