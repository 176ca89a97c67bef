// The widgets that show the window model's controls, by the controls' names and indexes.
#pragma once

#include <array>
#include <map>
#include <string_view>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMainWindow;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tolvanex::qt {

class BorderedField;
class FilesListModel;

struct ControlWidgets {
  QMainWindow* Window = nullptr;

  std::map<int, QLabel*> Label1;

  std::array<QLineEdit*, 2> Txt_File{};
  std::array<QPushButton*, 2> Cmd_GetFile{};
  std::array<QPushButton*, 4> Cmd_Edit{};

  QGroupBox* Frame_PostFile = nullptr;
  QCheckBox* Chk_OutputPostFile = nullptr;
  std::array<BorderedField*, 2> Lbl_Folder{};
  std::array<QPushButton*, 2> Cmd_GetFolder{};
  QCheckBox* Chk_SortLookup = nullptr;
  std::array<BorderedField*, 1> Lbl_File{};

  QGroupBox* Frame_TextFiles = nullptr;
  QCheckBox* Chk_OutputTextFiles = nullptr;
  QLineEdit* Txt_Extension = nullptr;
  QComboBox* Cmb_Dateformat = nullptr;
  QListView* Lst_Files = nullptr;
  FilesListModel* FilesModel = nullptr;

  BorderedField* Lbl_Status = nullptr;
  QProgressBar* RunProgress = nullptr;  // bytes of the data file read; shown only during a run
  QPushButton* Cmd_Export = nullptr;
  QPushButton* Cmd_Close = nullptr;

  QMenuBar* Menus = nullptr;
  QMenu* m_File = nullptr;
  std::array<QAction*, 2> mnu_File{};
  QMenu* m_Help = nullptr;
  std::array<QAction*, 1> mnu_Help{};

  // The widgets that take no input while a run goes: everything but the run button.
  QWidget* TopRow = nullptr;

  // The widget of a control; index -1 for a control that is not part of an array. None for a
  // name or index the window does not have.
  QWidget* Find(std::string_view name, int index) const;
};

}  // namespace tolvanex::qt
