#include "app/qt/control_binding.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "app/qt/files_list_model.h"
#include "app/qt/qt_text.h"
#include "app/qt/text_fields.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::qt {

namespace {

// Setting a widget to the value it already shows is skipped: a line edit would lose its cursor
// position, and every change costs a repaint.
void SetText(QLineEdit* edit, const std::string& text) {
  QString shown = ToQt(text);
  if (edit->text() != shown) edit->setText(shown);
}

void SetCaption(QLabel* label, const std::string& caption) {
  QString shown = ToQt(caption);
  if (label->text() != shown) label->setText(shown);
}

// A bordered label holds a path or a status that may be wider than the label; the tip shows it
// whole.
void SetBorderedCaption(QLabel* label, const std::string& caption) {
  QString shown = ToQt(caption);
  if (label->text() == shown) return;
  label->setText(shown);
  label->setToolTip(shown);
}

void SetButton(QPushButton* widget, const Button& button) {
  QString shown = ToQt(button.Caption);
  if (widget->text() != shown) widget->setText(shown);
  QString tip = ToQt(button.ToolTip);
  if (widget->toolTip() != tip) widget->setToolTip(tip);
  widget->setEnabled(button.Enabled);
}

void SetMenuItem(QAction* action, const MenuItem& item) {
  QString caption = ToQt(item.Caption);
  if (action->text() != caption) action->setText(caption);
  QKeySequence keys(ToQt(item.Shortcut), QKeySequence::PortableText);
  if (action->shortcut() != keys) action->setShortcut(keys);
}

void SetCheckBox(QCheckBox* widget, const CheckBox& box) {
  QString shown = ToQt(box.Caption);
  if (widget->text() != shown) widget->setText(shown);
  Qt::CheckState state = ToQtCheckState(box.Value);
  if (widget->checkState() != state) widget->setCheckState(state);
}

void SetComboBox(QComboBox* widget, const ComboBox& box) {
  QStringList items;
  for (const std::string& item : box.Items) items.append(ToQt(item));
  QStringList shown;
  for (int i = 0; i < widget->count(); ++i) shown.append(widget->itemText(i));
  if (shown != items) {
    widget->clear();
    widget->addItems(items);
  }
  // Refilling the items may have put the first item into the box; the model's text stands.
  QString text = ToQt(box.Text);
  if (widget->currentText() != text) widget->setEditText(text);
}

void SetFilesList(QListView* view, FilesListModel* model, const SortedListBox& list) {
  model->Refresh();
  QItemSelectionModel* selection = view->selectionModel();
  std::int64_t selected = list.ListIndex();
  QModelIndexList rows = selection->selectedRows();
  int shownRow = rows.isEmpty() ? -1 : rows.front().row();
  if (shownRow == selected) return;
  if (selected < 0) {
    selection->clear();
  } else {
    selection->setCurrentIndex(model->index(static_cast<int>(selected)),
                               QItemSelectionModel::ClearAndSelect);
  }
}

void SetStatusColour(QLabel* label, const Rgb& colour) {
  QColor background = ToQtColor(colour);
  if (label->palette().color(QPalette::Window) == background) return;
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, background);
  label->setPalette(palette);
}

void SetProgress(QProgressBar* bar, const WindowRun& run) {
  bar->setVisible(run.Running);
  if (!run.Running) return;
  int step = ProgressPerMille(run.Progress);
  if (bar->value() != step) bar->setValue(step);
}

}  // namespace

Qt::CheckState ToQtCheckState(int value) {
  switch (value) {
    case 0:
      return Qt::Unchecked;
    case 2:
      return Qt::PartiallyChecked;
    default:
      return Qt::Checked;
  }
}

int FromQtCheckState(Qt::CheckState state) {
  switch (state) {
    case Qt::Unchecked:
      return 0;
    case Qt::PartiallyChecked:
      return 2;
    case Qt::Checked:
    default:
      return 1;
  }
}

QColor ToQtColor(const Rgb& colour) {
  if (colour.IsButtonFace) return QApplication::palette().color(QPalette::Button);
  return QColor(colour.Red, colour.Green, colour.Blue);
}

void PullFromWidgets(const ControlWidgets& widgets, Frm_Tolvanex& form) {
  for (std::size_t i = 0; i < form.Txt_File.size(); ++i) {
    form.Txt_File[i].Text = FromQt(widgets.Txt_File[i]->text());
  }
  form.Txt_Extension.Text = FromQt(widgets.Txt_Extension->text());
  form.Cmb_Dateformat.Text = FromQt(widgets.Cmb_Dateformat->currentText());
  form.Chk_OutputPostFile.Value = FromQtCheckState(widgets.Chk_OutputPostFile->checkState());
  form.Chk_SortLookup.Value = FromQtCheckState(widgets.Chk_SortLookup->checkState());
  form.Chk_OutputTextFiles.Value = FromQtCheckState(widgets.Chk_OutputTextFiles->checkState());

  // The view's rows are the list's rows only while the view is current.
  if (!widgets.FilesModel->Current()) return;
  QModelIndexList rows = widgets.Lst_Files->selectionModel()->selectedRows();
  std::int64_t row = rows.isEmpty() ? -1 : rows.front().row();
  if (row == form.Lst_Files.ListIndex()) return;
  form.Lst_Files.SetListIndex(row);
  widgets.FilesModel->TakeSelectionChange();
}

void PushToWidgets(const Frm_Tolvanex& form, ControlWidgets& widgets, bool withFilesList) {
  widgets.Window->setWindowTitle(ToQt(form.Caption));
  for (auto& [index, label] : widgets.Label1) {
    auto found = form.Label1.find(index);
    if (found != form.Label1.end()) SetCaption(label, found->second.Caption);
  }

  for (std::size_t i = 0; i < form.Txt_File.size(); ++i) {
    SetText(widgets.Txt_File[i], form.Txt_File[i].Text);
    SetButton(widgets.Cmd_GetFile[i], form.Cmd_GetFile[i]);
  }
  for (std::size_t i = 0; i < form.Cmd_Edit.size(); ++i) {
    SetButton(widgets.Cmd_Edit[i], form.Cmd_Edit[i]);
  }

  SetCheckBox(widgets.Chk_OutputPostFile, form.Chk_OutputPostFile);
  for (std::size_t i = 0; i < form.Lbl_Folder.size(); ++i) {
    SetBorderedCaption(widgets.Lbl_Folder[i], form.Lbl_Folder[i].Caption);
    SetButton(widgets.Cmd_GetFolder[i], form.Cmd_GetFolder[i]);
  }
  SetCheckBox(widgets.Chk_SortLookup, form.Chk_SortLookup);
  SetBorderedCaption(widgets.Lbl_File[0], form.Lbl_File[0].Caption);

  SetCheckBox(widgets.Chk_OutputTextFiles, form.Chk_OutputTextFiles);
  SetText(widgets.Txt_Extension, form.Txt_Extension.Text);
  SetComboBox(widgets.Cmb_Dateformat, form.Cmb_Dateformat);
  if (withFilesList) SetFilesList(widgets.Lst_Files, widgets.FilesModel, form.Lst_Files);

  SetBorderedCaption(widgets.Lbl_Status, form.Lbl_Status.Caption);
  SetStatusColour(widgets.Lbl_Status, form.Lbl_Status.BackColor);
  SetButton(widgets.Cmd_Export, form.Cmd_Export);
  SetButton(widgets.Cmd_Close, form.Cmd_Close);
  SetProgress(widgets.RunProgress, form.Run);

  widgets.m_File->setTitle(ToQt(form.m_File.Caption));
  for (std::size_t i = 0; i < form.mnu_File.size(); ++i) {
    SetMenuItem(widgets.mnu_File[i], form.mnu_File[i]);
  }
  widgets.m_Help->setTitle(ToQt(form.m_Help.Caption));
  SetMenuItem(widgets.mnu_Help[0], form.mnu_Help[0]);

  // While a run goes only its button takes input: nothing may change the controls it was started
  // with or start a second routine beside it.
  bool idle = !form.Run.Running;
  widgets.TopRow->setEnabled(idle);
  widgets.Frame_PostFile->setEnabled(idle);
  widgets.Frame_TextFiles->setEnabled(idle);
  widgets.Cmd_Close->setEnabled(idle && form.Cmd_Close.Enabled);
  widgets.Menus->setEnabled(idle);
  for (QAction* item : widgets.mnu_File) item->setEnabled(idle);
  widgets.mnu_Help[0]->setEnabled(idle);
}

}  // namespace tolvanex::qt
