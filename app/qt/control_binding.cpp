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
#include "ui/control_states.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::qt {

namespace {

// Setting a widget to the value it already shows is skipped: a line edit would lose its cursor
// position, and every change costs a repaint. Labels, line edits and buttons all show their text
// as the property "text".
void SetText(QWidget* widget, const std::string& text) {
  QString shown = ToQt(text);
  if (widget->property("text").toString() != shown) widget->setProperty("text", shown);
}

void SetToolTip(QWidget* widget, const std::string& tip) {
  QString shown = ToQt(tip);
  if (widget->toolTip() != shown) widget->setToolTip(shown);
}

void SetMenuItem(QAction* action, const MenuItem& item) {
  QString caption = ToQt(item.Caption);
  if (action->text() != caption) action->setText(caption);
  QKeySequence keys(ToQt(item.Shortcut), QKeySequence::PortableText);
  if (action->shortcut() != keys) action->setShortcut(keys);
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
  return value == 0 ? Qt::Unchecked : value == 2 ? Qt::PartiallyChecked : Qt::Checked;
}

int FromQtCheckState(Qt::CheckState state) {
  return state == Qt::Unchecked ? 0 : state == Qt::PartiallyChecked ? 2 : 1;
}

QColor ToQtColor(const Rgb& colour) {
  if (colour.IsButtonFace) return QApplication::palette().color(QPalette::Button);
  return QColor(colour.Red, colour.Green, colour.Blue);
}

void PullFromWidgets(const ControlWidgets& widgets, Frm_Tolvanex& form) {
  for (const ControlInfo& control : ControlTable()) {
    ControlRef ref{control.Name, control.Index};
    QWidget* widget = widgets.Find(control.Name, control.Index);
    if (std::string* text = EditedText(form, ref)) {
      auto* box = qobject_cast<QComboBox*>(widget);
      *text =
          FromQt(box != nullptr ? box->currentText() : qobject_cast<QLineEdit*>(widget)->text());
    } else if (int* state = CheckBoxState(form, ref)) {
      *state = FromQtCheckState(qobject_cast<QCheckBox*>(widget)->checkState());
    }
  }

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
  for (const ControlInfo& control : ControlTable()) {
    QWidget* widget = widgets.Find(control.Name, control.Index);
    ControlShown shown = ShownOf(form, {control.Name, control.Index});
    if (shown.Text != nullptr && control.Kind != ControlKind::ComboBox)
      SetText(widget, *shown.Text);
    // A bordered label holds a path or a status that may be wider than the label; the tip shows
    // it whole. A button's tip says what its caption cannot.
    if (control.Kind == ControlKind::BorderedLabel) SetToolTip(widget, *shown.Text);
    if (shown.ToolTip != nullptr) SetToolTip(widget, *shown.ToolTip);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      Qt::CheckState state = ToQtCheckState(shown.CheckState);
      if (box->checkState() != state) box->setCheckState(state);
    }
    if (widget->isEnabled() != shown.Enabled) widget->setEnabled(shown.Enabled);
  }
  SetComboBox(widgets.Cmb_Dateformat, form.Cmb_Dateformat);
  if (withFilesList) SetFilesList(widgets.Lst_Files, widgets.FilesModel, form.Lst_Files);
  SetStatusColour(widgets.Lbl_Status, form.Lbl_Status.BackColor);
  SetProgress(widgets.RunProgress, form.Run);

  widgets.m_File->setTitle(ToQt(form.m_File.Caption));
  for (std::size_t i = 0; i < form.mnu_File.size(); ++i) {
    SetMenuItem(widgets.mnu_File[i], form.mnu_File[i]);
  }
  widgets.m_Help->setTitle(ToQt(form.m_Help.Caption));
  SetMenuItem(widgets.mnu_Help[0], form.mnu_Help[0]);

  // The groups and the menus follow the run's rule as a whole.
  bool idle = EnabledByRun(form, {"Menus", -1});
  for (QWidget* group :
       {widgets.TopRow, static_cast<QWidget*>(widgets.Frame_PostFile),
        static_cast<QWidget*>(widgets.Frame_TextFiles), static_cast<QWidget*>(widgets.Menus)}) {
    group->setEnabled(idle);
  }
  for (QAction* item : widgets.mnu_File) item->setEnabled(idle);
  widgets.mnu_Help[0]->setEnabled(idle);
}

}  // namespace tolvanex::qt
