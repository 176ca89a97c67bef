#include "app/qt/control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "app/qt/text_fields.h"

namespace tolvanex::qt {

namespace {

template <typename Widget, std::size_t N>
QWidget* At(const std::array<Widget*, N>& widgets, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return nullptr;
  return widgets[static_cast<std::size_t>(index)];
}

QWidget* Single(QWidget* widget, int index) {
  return index == -1 ? widget : nullptr;
}

}  // namespace

QWidget* ControlWidgets::Find(std::string_view name, int index) const {
  if (name == "Label1") {
    auto found = Label1.find(index);
    return found != Label1.end() ? found->second : nullptr;
  }
  if (name == "Txt_File") return At(Txt_File, index);
  if (name == "Cmd_GetFile") return At(Cmd_GetFile, index);
  if (name == "Cmd_Edit") return At(Cmd_Edit, index);
  if (name == "Lbl_Folder") return At(Lbl_Folder, index);
  if (name == "Cmd_GetFolder") return At(Cmd_GetFolder, index);
  if (name == "Lbl_File") return At(Lbl_File, index);
  if (name == "Chk_OutputPostFile") return Single(Chk_OutputPostFile, index);
  if (name == "Chk_SortLookup") return Single(Chk_SortLookup, index);
  if (name == "Chk_OutputTextFiles") return Single(Chk_OutputTextFiles, index);
  if (name == "Txt_Extension") return Single(Txt_Extension, index);
  if (name == "Cmb_Dateformat") return Single(Cmb_Dateformat, index);
  if (name == "Lst_Files") return Single(Lst_Files, index);
  if (name == "Lbl_Status") return Single(Lbl_Status, index);
  if (name == "Cmd_Export") return Single(Cmd_Export, index);
  if (name == "Cmd_Close") return Single(Cmd_Close, index);
  return nullptr;
}

}  // namespace tolvanex::qt
