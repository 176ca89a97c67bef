#include "app/qt/window_layout.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <string>

#include "app/qt/files_list_model.h"
#include "app/qt/headed_group_box.h"
#include "app/qt/qt_text.h"
#include "app/qt/text_fields.h"
#include "app/qt/two_state_check_box.h"
#include "formats/date_pattern.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::qt {

namespace {

// A line break or NUL cannot be typed or pasted into the date format: it would split every line
// of the text files.
class DatePatternValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return DatePatternAllowed(FromQt(input)) ? Acceptable : Invalid;
  }
};

constexpr int kGroupMargin = 8;

void Name(QObject* object, std::string_view name, int index = -1) {
  std::string text(name);
  if (index >= 0) text += "(" + std::to_string(index) + ")";
  object->setObjectName(ToQt(text));
}

QLabel* CaptionLabel(ControlWidgets& widgets, int index, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  Name(label, "Label1", index);
  widgets.Label1[index] = label;
  return label;
}

// The status line makes room for the final status of a large run, so that the window opens wide
// enough to show it whole.
constexpr const char* kWidestStatus = "Finished - posted 2000000 readings to 100 post file(s)";

// The folder and post file labels look like text boxes that cannot be edited; their paths can be
// selected with the mouse and copied.
BorderedField* FieldLabel(std::string_view name, int index, QWidget* parent) {
  auto* label = new BorderedField(parent);
  label->setBackgroundRole(QPalette::Base);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Name(label, name, index);
  return label;
}

// "..." and "edit" buttons are as wide as their caption, not as a dialog button.
QPushButton* SmallButton(std::string_view name, int index, const QString& widestCaption,
                         QWidget* parent) {
  auto* button = new QPushButton(parent);
  QFontMetrics metrics(button->font());
  button->setFixedWidth(metrics.horizontalAdvance(widestCaption) + 4 * metrics.averageCharWidth());
  button->setAutoDefault(false);
  Name(button, name, index);
  return button;
}

QPushButton* BrowseButton(std::string_view name, int index, QWidget* parent) {
  return SmallButton(name, index, QStringLiteral("..."), parent);
}

QPushButton* EditButton(int index, QWidget* parent) {
  return SmallButton("Cmd_Edit", index, QStringLiteral("edit"), parent);
}

// Text boxes take no drops of their own: a file dropped onto the window is the window's to place,
// and dropped text would land in the middle of a path.
QLineEdit* TextBox(std::string_view name, int index, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setAcceptDrops(false);
  Name(edit, name, index);
  return edit;
}

QLineEdit* FileBox(int index, QWidget* parent) {
  auto* edit = new PathBox(parent);
  edit->setAcceptDrops(false);
  Name(edit, "Txt_File", index);
  return edit;
}

QCheckBox* CheckBox(std::string_view name, QWidget* parent) {
  auto* box = new TwoStateCheckBox(parent);
  Name(box, name);
  return box;
}

HeadedGroupBox* Group(std::string_view name, QCheckBox* heading, QWidget* parent) {
  auto* group = new HeadedGroupBox(heading, parent);
  Name(group, name);
  return group;
}

QGridLayout* GroupGrid(QWidget* group) {
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(kGroupMargin, kGroupMargin / 2, kGroupMargin, kGroupMargin);
  grid->setColumnStretch(1, 1);
  return grid;
}

QWidget* BuildTopRow(ControlWidgets& widgets, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(kGroupMargin, 0, kGroupMargin, 0);
  layout->addWidget(CaptionLabel(widgets, 1, row));
  widgets.Txt_File[0] = FileBox(0, row);
  layout->addWidget(widgets.Txt_File[0], 1);
  widgets.Cmd_GetFile[0] = BrowseButton("Cmd_GetFile", 0, row);
  layout->addWidget(widgets.Cmd_GetFile[0]);
  widgets.Cmd_Edit[0] = EditButton(0, row);
  layout->addWidget(widgets.Cmd_Edit[0]);
  return row;
}

QGroupBox* BuildPostFileGroup(ControlWidgets& widgets, QWidget* parent) {
  widgets.Chk_OutputPostFile = CheckBox("Chk_OutputPostFile", nullptr);
  HeadedGroupBox* group = Group("Frame_PostFile", widgets.Chk_OutputPostFile, parent);
  QGridLayout* grid = GroupGrid(group);

  grid->addWidget(CaptionLabel(widgets, 0, group), 0, 0);
  widgets.Lbl_Folder[0] = FieldLabel("Lbl_Folder", 0, group);
  grid->addWidget(widgets.Lbl_Folder[0], 0, 1);
  widgets.Cmd_GetFolder[0] = BrowseButton("Cmd_GetFolder", 0, group);
  grid->addWidget(widgets.Cmd_GetFolder[0], 0, 2);

  grid->addWidget(CaptionLabel(widgets, 3, group), 1, 0);
  widgets.Txt_File[1] = FileBox(1, group);
  grid->addWidget(widgets.Txt_File[1], 1, 1);
  widgets.Cmd_GetFile[1] = BrowseButton("Cmd_GetFile", 1, group);
  grid->addWidget(widgets.Cmd_GetFile[1], 1, 2);
  widgets.Cmd_Edit[1] = EditButton(1, group);
  grid->addWidget(widgets.Cmd_Edit[1], 1, 3);
  widgets.Chk_SortLookup = CheckBox("Chk_SortLookup", group);
  grid->addWidget(widgets.Chk_SortLookup, 1, 4);

  grid->addWidget(CaptionLabel(widgets, 5, group), 2, 0);
  widgets.Lbl_File[0] = FieldLabel("Lbl_File", 0, group);
  grid->addWidget(widgets.Lbl_File[0], 2, 1, 1, 2);
  widgets.Cmd_Edit[3] = EditButton(3, group);
  grid->addWidget(widgets.Cmd_Edit[3], 2, 3);
  return group;
}

QGroupBox* BuildTextFilesGroup(ControlWidgets& widgets, const SortedListBox& files,
                               QWidget* parent) {
  widgets.Chk_OutputTextFiles = CheckBox("Chk_OutputTextFiles", nullptr);
  HeadedGroupBox* group = Group("Frame_TextFiles", widgets.Chk_OutputTextFiles, parent);
  QGridLayout* grid = GroupGrid(group);
  QFontMetrics metrics(group->font());

  grid->addWidget(CaptionLabel(widgets, 2, group), 0, 0);
  widgets.Lbl_Folder[1] = FieldLabel("Lbl_Folder", 1, group);
  grid->addWidget(widgets.Lbl_Folder[1], 0, 1, 1, 2);
  widgets.Cmd_GetFolder[1] = BrowseButton("Cmd_GetFolder", 1, group);
  grid->addWidget(widgets.Cmd_GetFolder[1], 0, 3);

  grid->addWidget(CaptionLabel(widgets, 6, group), 1, 0);
  widgets.Txt_Extension = TextBox("Txt_Extension", -1, group);
  widgets.Txt_Extension->setFixedWidth(10 * metrics.averageCharWidth());
  grid->addWidget(widgets.Txt_Extension, 1, 1, Qt::AlignLeft);

  grid->addWidget(CaptionLabel(widgets, 8, group), 2, 0);
  widgets.Cmb_Dateformat = new QComboBox(group);
  widgets.Cmb_Dateformat->setEditable(true);
  // The typed format is the model's text; it does not join the offered items.
  widgets.Cmb_Dateformat->setInsertPolicy(QComboBox::NoInsert);
  widgets.Cmb_Dateformat->lineEdit()->setAcceptDrops(false);
  widgets.Cmb_Dateformat->setValidator(new DatePatternValidator(widgets.Cmb_Dateformat));
  widgets.Cmb_Dateformat->setMinimumWidth(28 * metrics.averageCharWidth());
  Name(widgets.Cmb_Dateformat, "Cmb_Dateformat");
  grid->addWidget(widgets.Cmb_Dateformat, 2, 1, Qt::AlignLeft);

  grid->addWidget(CaptionLabel(widgets, 4, group), 3, 0, Qt::AlignTop);
  widgets.Lst_Files = new QListView(group);
  widgets.FilesModel = new FilesListModel(files, widgets.Lst_Files);
  widgets.Lst_Files->setModel(widgets.FilesModel);
  widgets.Lst_Files->setUniformItemSizes(true);
  widgets.Lst_Files->setSelectionMode(QAbstractItemView::SingleSelection);
  widgets.Lst_Files->setEditTriggers(QAbstractItemView::NoEditTriggers);
  widgets.Lst_Files->setMinimumHeight(7 * metrics.height());
  Name(widgets.Lst_Files, "Lst_Files");
  grid->addWidget(widgets.Lst_Files, 3, 1, 1, 2);
  grid->setRowStretch(3, 1);
  widgets.Cmd_Edit[2] = EditButton(2, group);
  grid->addWidget(widgets.Cmd_Edit[2], 3, 3, Qt::AlignTop);
  return group;
}

// The status line, and under it a thin bar with the run's progress. The bar keeps its place
// while it is hidden, so that nothing moves when a run starts, and it never takes width from the
// status text.
QLayout* BuildStatusColumn(ControlWidgets& widgets, QWidget* parent) {
  auto* column = new QVBoxLayout();
  column->setSpacing(2);
  widgets.Lbl_Status = new BorderedField(parent);
  widgets.Lbl_Status->SetRoomFor(QString::fromLatin1(kWidestStatus));
  widgets.Lbl_Status->SetElided(true);
  Name(widgets.Lbl_Status, "Lbl_Status");
  column->addWidget(widgets.Lbl_Status);

  widgets.RunProgress = new QProgressBar(parent);
  widgets.RunProgress->setRange(0, 1000);
  widgets.RunProgress->setTextVisible(false);
  widgets.RunProgress->setFixedHeight(std::max(4, QFontMetrics(parent->font()).height() / 3));
  QSizePolicy policy = widgets.RunProgress->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widgets.RunProgress->setSizePolicy(policy);
  widgets.RunProgress->setVisible(false);
  Name(widgets.RunProgress, "RunProgress");
  column->addWidget(widgets.RunProgress);
  return column;
}

QLayout* BuildBottomRow(ControlWidgets& widgets, QWidget* parent) {
  auto* row = new QHBoxLayout();
  row->addLayout(BuildStatusColumn(widgets, parent), 1);
  widgets.Cmd_Export = new QPushButton(parent);
  widgets.Cmd_Export->setAutoDefault(false);
  Name(widgets.Cmd_Export, "Cmd_Export");
  row->addWidget(widgets.Cmd_Export);
  widgets.Cmd_Close = new QPushButton(parent);
  widgets.Cmd_Close->setAutoDefault(false);
  Name(widgets.Cmd_Close, "Cmd_Close");
  row->addWidget(widgets.Cmd_Close);
  return row;
}

void BuildMenus(ControlWidgets& widgets, QMainWindow& window) {
  widgets.Menus = window.menuBar();
  widgets.m_File = widgets.Menus->addMenu(QString());
  Name(widgets.m_File, "m_File");
  for (std::size_t i = 0; i < widgets.mnu_File.size(); ++i) {
    widgets.mnu_File[i] = widgets.m_File->addAction(QString());
    Name(widgets.mnu_File[i], "mnu_File", static_cast<int>(i));
  }
  widgets.m_Help = widgets.Menus->addMenu(QString());
  Name(widgets.m_Help, "m_Help");
  widgets.mnu_Help[0] = widgets.m_Help->addAction(QString());
  Name(widgets.mnu_Help[0], "mnu_Help", 0);
}

void SetTabOrder(const ControlWidgets& widgets) {
  QWidget* previous = nullptr;
  for (const ControlRef& control : FocusOrder()) {
    QWidget* widget = widgets.Find(control.Name, control.Index);
    if (widget == nullptr) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace

ControlWidgets BuildControls(QMainWindow& window, const SortedListBox& files) {
  ControlWidgets widgets;
  widgets.Window = &window;
  auto* central = new QWidget(&window);
  auto* column = new QVBoxLayout(central);

  widgets.TopRow = BuildTopRow(widgets, central);
  column->addWidget(widgets.TopRow);
  widgets.Frame_PostFile = BuildPostFileGroup(widgets, central);
  column->addWidget(widgets.Frame_PostFile);
  widgets.Frame_TextFiles = BuildTextFilesGroup(widgets, files, central);
  column->addWidget(widgets.Frame_TextFiles, 1);
  column->addLayout(BuildBottomRow(widgets, central));
  window.setCentralWidget(central);

  BuildMenus(widgets, window);
  SetTabOrder(widgets);
  return widgets;
}

}  // namespace tolvanex::qt
