// The one window of the program as a model: its controls as plain data and the members that the
// routines of the window share. The routines themselves live beside the concept they serve and
// take the window as their first argument.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion_engine.h"
#include "model/window_placement.h"
#include "system/regional_settings.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "ui/sorted_list.h"
#include "ui/window_run.h"

namespace tolvanex {

struct MenuItem {
  std::string Caption;
  std::string Shortcut;  // a key that chooses the item from anywhere in the window, as "Ctrl+O"
};

class Frm_Tolvanex {
 public:
  // Creates the window with every control at its initial value. Start-up fills it further.
  explicit Frm_Tolvanex(Platform& desktop);
  Frm_Tolvanex(const Frm_Tolvanex&) = delete;
  Frm_Tolvanex& operator=(const Frm_Tolvanex&) = delete;

  Platform& Desktop;
  // Taken from the desktop once, when the window is created.
  tolvanex::RegionalSettings Regional;

  std::string Caption = "Tolvanex";

  // Caption labels, indexes 0 to 6 and 8.
  std::map<int, Label> Label1;

  // Top row.
  std::array<TextBox, 2> Txt_File;    // 0 the data file, 1 the lookup file
  std::array<Button, 2> Cmd_GetFile;  // choose the file of Txt_File(index)
  std::array<Button, 4> Cmd_Edit;     // 0 data, 1 lookup, 2 listed file, 3 last post file

  // Post file group.
  CheckBox Chk_OutputPostFile;
  std::array<BorderedLabel, 2> Lbl_Folder;  // 0 post files, 1 text files
  std::array<Button, 2> Cmd_GetFolder;
  CheckBox Chk_SortLookup;
  std::array<BorderedLabel, 1> Lbl_File;  // the last post file started

  // Text file group.
  CheckBox Chk_OutputTextFiles;
  TextBox Txt_Extension;
  ComboBox Cmb_Dateformat;
  SortedListBox Lst_Files;

  // Bottom row.
  BorderedLabel Lbl_Status;
  Button Cmd_Export;
  Button Cmd_Close;

  // Menus.
  MenuItem m_File{"&File", ""};
  std::array<MenuItem, 2> mnu_File{MenuItem{"&Open", "Ctrl+O"}, MenuItem{"E&xit", "Ctrl+Q"}};
  MenuItem m_Help{"&Help", ""};
  std::array<MenuItem, 1> mnu_Help{MenuItem{"&About", "F1"}};

  // The conversions of the window, with the lookup table they keep loaded between runs.
  ConversionEngine Engine;
  // The run as the window shows it.
  WindowRun Run;

  std::string IniFile;  // the settings file; empty until start-up sets it
  // Where the window stood when it last closed; none before it has closed once.
  std::optional<WindowPlacement> Placement;
};

// The controls as the window lays them out, for the front ends that draw them.
enum class ControlGroup { TopRow, PostFile, TextFiles, BottomRow };

struct ControlInfo {
  std::string_view Name;
  int Index;  // -1 for a control that is not part of an array
  ControlKind Kind;
  ControlGroup Group;
};

// Every control in layout order within its group.
const std::vector<ControlInfo>& ControlTable();

struct ControlRef {
  std::string_view Name;
  int Index;  // -1 for a control that is not part of an array
  friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

// The order in which keyboard focus moves through the controls.
const std::vector<ControlRef>& FocusOrder();

}  // namespace tolvanex
