// The window shows every control of the model, of its kind, in its group, with its caption,
// and keyboard focus moves through them in the model's order.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include "app/qt/headed_group_box.h"
#include "app/qt/qt_text.h"
#include "tests/app/qt/window_fixture.h"
#include "ui/startup.h"
#include "ui/status.h"

namespace tolvanex {
namespace {

using qt::FromQt;

std::string Name(std::string_view name, int index) {
  return std::string(name) + (index >= 0 ? "(" + std::to_string(index) + ")" : "");
}

// What the model says a control shows, and whether it is enabled.
std::string ModelText(const Frm_Tolvanex& form, std::string_view name, int index) {
  auto at = static_cast<std::size_t>(index < 0 ? 0 : index);
  if (name == "Label1") return form.Label1.at(index).Caption;
  if (name == "Txt_File") return form.Txt_File.at(at).Text;
  if (name == "Cmd_GetFile") return form.Cmd_GetFile.at(at).Caption;
  if (name == "Cmd_Edit") return form.Cmd_Edit.at(at).Caption;
  if (name == "Chk_OutputPostFile") return form.Chk_OutputPostFile.Caption;
  if (name == "Lbl_Folder") return form.Lbl_Folder.at(at).Caption;
  if (name == "Cmd_GetFolder") return form.Cmd_GetFolder.at(at).Caption;
  if (name == "Chk_SortLookup") return form.Chk_SortLookup.Caption;
  if (name == "Lbl_File") return form.Lbl_File.at(at).Caption;
  if (name == "Chk_OutputTextFiles") return form.Chk_OutputTextFiles.Caption;
  if (name == "Txt_Extension") return form.Txt_Extension.Text;
  if (name == "Cmb_Dateformat") return form.Cmb_Dateformat.Text;
  if (name == "Lbl_Status") return form.Lbl_Status.Caption;
  if (name == "Cmd_Export") return form.Cmd_Export.Caption;
  if (name == "Cmd_Close") return form.Cmd_Close.Caption;
  return "";  // the list shows rows, not a caption
}

bool ModelEnabled(const Frm_Tolvanex& form, std::string_view name, int index) {
  auto at = static_cast<std::size_t>(index < 0 ? 0 : index);
  if (name == "Cmd_Edit") return form.Cmd_Edit.at(at).Enabled;
  if (name == "Cmd_GetFile") return form.Cmd_GetFile.at(at).Enabled;
  if (name == "Cmd_GetFolder") return form.Cmd_GetFolder.at(at).Enabled;
  if (name == "Cmd_Export") return form.Cmd_Export.Enabled;
  if (name == "Cmd_Close") return form.Cmd_Close.Enabled;
  return true;
}

// The text a widget shows, whatever its kind.
std::string ShownText(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return FromQt(label->text());
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQt(edit->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQt(button->text());
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return FromQt(combo->currentText());
  return "";
}

bool IsKind(QWidget* widget, ControlKind kind) {
  auto* label = qobject_cast<QLabel*>(widget);
  switch (kind) {
    case ControlKind::Label:
      return label != nullptr && label->frameShape() == QFrame::NoFrame;
    case ControlKind::BorderedLabel:
      // Read-only: a label, never an edit box, with a border and out of the tab order.
      return label != nullptr && label->frameShape() != QFrame::NoFrame &&
             label->textFormat() == Qt::PlainText && (label->focusPolicy() & Qt::TabFocus) == 0;
    case ControlKind::TextBox:
      return qobject_cast<QLineEdit*>(widget) != nullptr;
    case ControlKind::Button:
      return qobject_cast<QPushButton*>(widget) != nullptr;
    case ControlKind::CheckBox:
      return qobject_cast<QCheckBox*>(widget) != nullptr;
    case ControlKind::ComboBox: {
      auto* combo = qobject_cast<QComboBox*>(widget);
      return combo != nullptr && combo->isEditable();
    }
    case ControlKind::ListBox:
      return qobject_cast<QListView*>(widget) != nullptr;
  }
  return false;
}

QGroupBox* GroupOf(QWidget* widget) {
  for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* group = qobject_cast<QGroupBox*>(up)) return group;
  }
  return nullptr;
}

class WindowControls : public testing::WindowTest {
 protected:
  QGroupBox* ExpectedGroup(ControlGroup group) const {
    if (group == ControlGroup::PostFile) return Controls().Frame_PostFile;
    if (group == ControlGroup::TextFiles) return Controls().Frame_TextFiles;
    return nullptr;
  }
};

TEST_F(WindowControls, EveryControlHasAWidgetOfItsKindInItsGroupShowingTheModel) {
  ASSERT_EQ(ControlTable().size(), 30u);
  for (const ControlInfo& control : ControlTable()) {
    std::string name = Name(control.Name, control.Index);
    QWidget* widget = window.Control(control.Name, control.Index);
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(FromQt(widget->objectName()), name);
    EXPECT_TRUE(IsKind(widget, control.Kind)) << name;
    QGroupBox* group = GroupOf(widget);
    // A group's heading sits on the group's edge; it is the group's, not another's.
    EXPECT_EQ(group, ExpectedGroup(control.Group)) << name;
    EXPECT_EQ(ShownText(widget), ModelText(form, control.Name, control.Index)) << name;
    EXPECT_EQ(widget->isEnabled(), ModelEnabled(form, control.Name, control.Index)) << name;
  }
  EXPECT_EQ(window.Control("Cmd_Edit", 4), nullptr);
  EXPECT_EQ(window.Control("Label1", 7), nullptr);
  EXPECT_EQ(window.Control("Lst_Files", 0), nullptr);
}

TEST_F(WindowControls, AFreshWindowShowsTheInitialValues) {
  EXPECT_EQ(window.windowTitle(), "Tolvanex");
  EXPECT_EQ(ShownText(window.Control("Txt_File", 0)), "SondrelFile.dat");
  EXPECT_EQ(ShownText(window.Control("Cmb_Dateformat")), "Combo1");
  EXPECT_EQ(ShownText(window.Control("Cmd_Export")), "&Process");
  EXPECT_EQ(Controls().Chk_OutputPostFile->checkState(), Qt::Unchecked);
  EXPECT_FALSE(Controls().Cmd_Edit[2]->isEnabled());
  EXPECT_FALSE(Controls().Cmd_Edit[3]->isEnabled());
  EXPECT_EQ(Controls().Lst_Files->model()->rowCount(), 0);
  EXPECT_TRUE(Controls().RunProgress->isHidden());
}

// Made larger, the window gives the extra height to the files list and the extra width to the
// fields and the status line; the buttons keep their size.
TEST_F(WindowControls, TheListAndTheStatusLineTakeTheExtraRoom) {
  window.show();
  window.resize(window.sizeHint());
  QApplication::processEvents();
  QSize list = Controls().Lst_Files->size();
  int status = Controls().Lbl_Status->width();
  QSize button = Controls().Cmd_Export->size();
  window.resize(window.size() + QSize(300, 200));
  QApplication::processEvents();
  EXPECT_GE(Controls().Lst_Files->height(), list.height() + 150);
  EXPECT_GE(Controls().Lst_Files->width(), list.width() + 200);
  EXPECT_GE(Controls().Lbl_Status->width(), status + 200);
  EXPECT_EQ(Controls().Cmd_Export->size(), button);
}

// The window opens wide enough for the final status of a large run and for the default paths.
TEST_F(WindowControls, TheDefaultSizeShowsTheStatusOfALargeRunAndTheDefaultPathsWhole) {
  LoadWindow(form, folder / "tolvanex.ini");  // no file: every setting at its default
  window.ShowModel();
  window.Open();
  const std::string status = "Finished - posted 2000000 readings to 100 post file(s)";
  SetStatus(form, status);
  window.ShowModel();
  QApplication::processEvents();
  EXPECT_EQ(FromQt(Controls().Lbl_Status->VisibleText()), status);

  for (QLabel* label : {static_cast<QLabel*>(Controls().Lbl_Folder[0]),
                        static_cast<QLabel*>(Controls().Lbl_Folder[1])}) {
    int room = label->contentsRect().width() - 2 * label->margin();
    EXPECT_GE(room, label->fontMetrics().horizontalAdvance(label->text())) << FromQt(label->text());
  }
  for (QLineEdit* box : Controls().Txt_File) {
    int needed = box->fontMetrics().horizontalAdvance(box->text()) +
                 2 * box->fontMetrics().averageCharWidth();
    EXPECT_GE(box->width(), needed) << FromQt(box->text());
  }

  // Made narrower, the status line shows that its text goes on rather than cutting it unseen.
  window.resize(window.width() / 2, window.height());
  QApplication::processEvents();
  QString shown = Controls().Lbl_Status->VisibleText();
  EXPECT_LT(shown.size(), qt::ToQt(status).size());
  EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << FromQt(shown);
}

TEST_F(WindowControls, TheProgressBarTakesNoRoomFromTheStatusLine) {
  window.Open();
  SetStatus(form, "2031/7 14 Jul 2023 09:05");
  window.ShowModel();
  QApplication::processEvents();
  QRect idle = Controls().Lbl_Status->geometry();
  QSize window = this->window.size();
  form.Run.Running = true;
  this->window.ShowModel();
  QApplication::processEvents();
  EXPECT_TRUE(Controls().RunProgress->isVisible());
  EXPECT_EQ(Controls().Lbl_Status->geometry(), idle);
  EXPECT_EQ(this->window.size(), window);
  form.Run.Running = false;
  this->window.ShowModel();
}

TEST_F(WindowControls, TheGroupsAreHeadedByTheirCheckBoxes) {
  window.show();
  for (auto [group, heading] :
       {std::pair{Controls().Frame_PostFile, Controls().Chk_OutputPostFile},
        std::pair{Controls().Frame_TextFiles, Controls().Chk_OutputTextFiles}}) {
    auto* headed = dynamic_cast<qt::HeadedGroupBox*>(group);
    ASSERT_NE(headed, nullptr);
    EXPECT_EQ(headed->Heading(), heading);
    EXPECT_TRUE(group->title().isEmpty());
    EXPECT_EQ(heading->geometry().top(), 0);
    // Every other control of the group lies below its heading.
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child == heading || !child->isVisible()) continue;
      EXPECT_GE(child->geometry().top(), heading->geometry().bottom())
          << FromQt(child->objectName());
    }
  }
  // The text files group lies below the post file group.
  EXPECT_GT(Controls().Frame_TextFiles->y(), Controls().Frame_PostFile->y());
}

TEST_F(WindowControls, ThePathLabelsLookLikeTextBoxesThatCannotBeEditedButCanBeCopied) {
  form.Lbl_File[0].Caption = "/data/post/23Jul14.pst";
  window.ShowModel();
  window.Open();
  for (QLabel* label : {static_cast<QLabel*>(Controls().Lbl_Folder[0]),
                        static_cast<QLabel*>(Controls().Lbl_Folder[1]),
                        static_cast<QLabel*>(Controls().Lbl_File[0])}) {
    EXPECT_EQ(label->backgroundRole(), QPalette::Base) << FromQt(label->objectName());
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->textInteractionFlags() & Qt::TextEditable, 0);
    // A double-click selects a part of the path, as in a text box.
    EXPECT_FALSE(label->hasSelectedText());
    QPoint inText(label->contentsRect().left() + label->margin() + 3, label->height() / 2);
    QTest::mouseDClick(label, Qt::LeftButton, {}, inText);
    EXPECT_TRUE(label->hasSelectedText()) << FromQt(label->objectName());
  }
}

TEST_F(WindowControls, TheWindowHasItsIconAtTheSizesTitleBarsAskFor) {
  QIcon icon = window.windowIcon();
  ASSERT_FALSE(icon.isNull());
  for (int side : {16, 32, 48}) {
    QImage image = icon.pixmap(side, side).toImage();
    ASSERT_EQ(image.size(), QSize(side, side));
    // Drawn, not blank: the middle of the picture is opaque.
    EXPECT_EQ(qAlpha(image.pixel(side / 2, side / 2)), 255) << side;
  }
}

// "..." and "edit" do not say what they are for; each button's tip does, and no two say the same.
TEST_F(WindowControls, TheFileFolderAndEditButtonsSayWhatTheyAreFor) {
  std::set<QString> tips;
  std::vector<QPushButton*> buttons(Controls().Cmd_Edit.begin(), Controls().Cmd_Edit.end());
  buttons.insert(buttons.end(), Controls().Cmd_GetFile.begin(), Controls().Cmd_GetFile.end());
  buttons.insert(buttons.end(), Controls().Cmd_GetFolder.begin(), Controls().Cmd_GetFolder.end());
  for (QPushButton* button : buttons) {
    EXPECT_FALSE(button->toolTip().isEmpty()) << FromQt(button->objectName());
    tips.insert(button->toolTip());
  }
  EXPECT_EQ(tips.size(), buttons.size());
}

TEST_F(WindowControls, TheMenusCarryTheirAccessKeys) {
  QList<QAction*> menus = Controls().Menus->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[1]->text(), "&Help");
  QList<QAction*> file = Controls().m_File->actions();
  ASSERT_EQ(file.size(), 2);
  EXPECT_EQ(file[0]->text(), "&Open");
  EXPECT_EQ(file[1]->text(), "E&xit");
  QList<QAction*> help = Controls().m_Help->actions();
  ASSERT_EQ(help.size(), 1);
  EXPECT_EQ(help[0]->text(), "&About");
}

class TabOrder : public WindowControls {
 protected:
  // The control that has the focus; the line edit inside the date-format box counts as the box.
  std::string FocusedControl() const {
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
      for (const ControlRef& control : FocusOrder()) {
        if (widget == window.Control(control.Name, control.Index)) {
          return Name(control.Name, control.Index);
        }
      }
    }
    return "(none)";
  }

  std::vector<std::string> Walk(std::size_t steps) {
    std::vector<std::string> visited{FocusedControl()};
    for (std::size_t i = 1; i < steps; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(FocusedControl());
    }
    return visited;
  }

  void SetUp() override {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Controls().Txt_File[0]->setFocus();
  }
};

TEST_F(TabOrder, FocusMovesInTheModelsOrderAndSkipsDisabledButtons) {
  std::vector<std::string> expected;
  for (const ControlRef& control : FocusOrder()) {
    if ((control.Name == "Cmd_Edit" && (control.Index == 2 || control.Index == 3))) continue;
    expected.push_back(Name(control.Name, control.Index));
  }
  expected.push_back("Txt_File(0)");  // and round again
  EXPECT_EQ(Walk(expected.size()), expected);
}

TEST_F(TabOrder, EnabledEditButtonsTakeTheirPlaces) {
  form.Cmd_Edit[2].Enabled = true;
  form.Cmd_Edit[3].Enabled = true;
  window.ShowModel();
  std::vector<std::string> expected;
  for (const ControlRef& control : FocusOrder())
    expected.push_back(Name(control.Name, control.Index));
  EXPECT_EQ(Walk(expected.size()), expected);
}

}  // namespace
}  // namespace tolvanex
