// Values the user edits go into the model before a routine, and the model's values come back
// to the widgets after it.
#include "app/qt/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/qt/files_list_model.h"
#include "app/qt/qt_text.h"
#include "base/paths.h"
#include "tests/app/qt/window_fixture.h"
#include "ui/startup.h"
#include "ui/status.h"

namespace tolvanex {
namespace {

using qt::PullFromWidgets;
using qt::PushToWidgets;

class Binding : public testing::WindowTest {
 protected:
  qt::ControlWidgets& Widgets() { return const_cast<qt::ControlWidgets&>(Controls()); }
  void Push() { PushToWidgets(form, Widgets()); }
  void Pull() { PullFromWidgets(Controls(), form); }
  int ShownRows() const { return Controls().Lst_Files->model()->rowCount(); }
  QString ShownRow(int row) const {
    auto* model = Controls().Lst_Files->model();
    return model->data(model->index(row, 0)).toString();
  }
  int SelectedRow() const {
    QModelIndexList rows = Controls().Lst_Files->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
  }
};

TEST_F(Binding, CheckBoxStatesAreMappedOneByOne) {
  EXPECT_EQ(qt::ToQtCheckState(0), Qt::Unchecked);
  EXPECT_EQ(qt::ToQtCheckState(1), Qt::Checked);
  EXPECT_EQ(qt::ToQtCheckState(2), Qt::PartiallyChecked);
  EXPECT_EQ(qt::FromQtCheckState(Qt::Unchecked), 0);
  EXPECT_EQ(qt::FromQtCheckState(Qt::Checked), 1);
  EXPECT_EQ(qt::FromQtCheckState(Qt::PartiallyChecked), 2);

  form.Chk_OutputPostFile.Value = 2;
  form.Chk_SortLookup.Value = 1;
  form.Chk_OutputTextFiles.Value = 0;
  Push();
  EXPECT_EQ(Controls().Chk_OutputPostFile->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(Controls().Chk_SortLookup->checkState(), Qt::Checked);
  EXPECT_EQ(Controls().Chk_OutputTextFiles->checkState(), Qt::Unchecked);
  Pull();
  EXPECT_EQ(form.Chk_OutputPostFile.Value, 2);
  EXPECT_EQ(form.Chk_SortLookup.Value, 1);
  EXPECT_EQ(form.Chk_OutputTextFiles.Value, 0);
}

TEST_F(Binding, TheUserTicksAndUnticksButNeverGreys) {
  form.Chk_OutputPostFile.Value = 2;
  Push();
  window.show();
  QCheckBox* box = Controls().Chk_OutputPostFile;
  std::vector<int> values;
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(box, Qt::LeftButton);
    Pull();
    values.push_back(form.Chk_OutputPostFile.Value);
  }
  EXPECT_EQ(values, (std::vector<int>{1, 0, 1}));
}

TEST_F(Binding, TypedTextsGoIntoTheModelAndModelTextsComeBack) {
  window.show();
  Controls().Txt_File[0]->clear();
  QTest::keyClicks(Controls().Txt_File[0], "/data/Målerø 1.dat");
  Controls().Txt_File[1]->setText("sites.lkp");
  Controls().Txt_Extension->setText("csv");
  Controls().Cmb_Dateformat->setEditText("yyyy mm dd");
  Pull();
  EXPECT_EQ(form.Txt_File[0].Text, "/data/M\xc3\xa5ler\xc3\xb8 1.dat");  // the UTF-8 bytes
  EXPECT_EQ(form.Txt_File[1].Text, "sites.lkp");
  EXPECT_EQ(form.Txt_Extension.Text, "csv");
  EXPECT_EQ(form.Cmb_Dateformat.Text, "yyyy mm dd");

  form.Txt_File[0].Text = "other.dat";
  form.Lbl_Folder[1].Caption = "/out & <b>away</b>";
  form.Lbl_File[0].Caption = "/post/23Jul14.pst";
  form.Cmd_Export.Caption = "&Cancel";
  form.Cmd_Edit[3].Enabled = true;
  Push();
  EXPECT_EQ(Controls().Txt_File[0]->text(), "other.dat");
  // Captions are shown as they stand: no access key, no markup.
  EXPECT_EQ(Controls().Lbl_Folder[1]->text(), "/out & <b>away</b>");
  EXPECT_EQ(Controls().Lbl_Folder[1]->textFormat(), Qt::PlainText);
  EXPECT_EQ(Controls().Lbl_Folder[1]->toolTip(), "/out & <b>away</b>");
  EXPECT_EQ(Controls().Lbl_File[0]->text(), "/post/23Jul14.pst");
  EXPECT_EQ(Controls().Cmd_Export->text(), "&Cancel");
  EXPECT_TRUE(Controls().Cmd_Edit[3]->isEnabled());
}

TEST_F(Binding, TheDateFormatBoxOffersTheListAndKeepsTheModelsText) {
  FillDateFormatList(form);
  form.Cmb_Dateformat.Text = "d mmm yyyy HH:MM";
  Push();
  QComboBox* box = Controls().Cmb_Dateformat;
  ASSERT_EQ(box->count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(qt::FromQt(box->itemText(i)), kDateFormats[i]);
  EXPECT_EQ(box->currentText(), "d mmm yyyy HH:MM");

  box->setCurrentIndex(2);  // picking an item puts its text into the box
  Pull();
  EXPECT_EQ(form.Cmb_Dateformat.Text, "yyyy-mm-dd HH:MM");

  // A typed format and Enter do not add an item.
  window.show();
  box->lineEdit()->clear();
  QTest::keyClicks(box->lineEdit(), "hh:nn");
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  Pull();
  EXPECT_EQ(form.Cmb_Dateformat.Text, "hh:nn");
  Push();
  EXPECT_EQ(box->count(), 4);
  EXPECT_EQ(box->currentText(), "hh:nn");

  // A line break is not taken into the format, pasted or typed: it would split every text line.
  box->lineEdit()->end(false);
  box->lineEdit()->insert(QString::fromLatin1(" yyyy\r\nmm"));
  QTest::keyClick(box->lineEdit(), Qt::Key_J, Qt::ControlModifier);  // a line feed
  EXPECT_EQ(box->currentText(), "hh:nn");
}

TEST_F(Binding, TheFilesListShowsTheModelsRowsAndSelection) {
  for (const char* name : {"c.txt", "A.txt", "b.txt"}) form.Lst_Files.AddItem(name);
  Push();
  ASSERT_EQ(ShownRows(), 3);
  EXPECT_EQ(ShownRow(0), "A.txt");
  EXPECT_EQ(ShownRow(2), "c.txt");
  EXPECT_EQ(SelectedRow(), -1);

  // The user selects a row: it goes into the model.
  auto* view = Controls().Lst_Files;
  view->selectionModel()->setCurrentIndex(view->model()->index(1, 0),
                                          QItemSelectionModel::ClearAndSelect);
  Pull();
  EXPECT_EQ(form.Lst_Files.ListIndex(), 1);
  EXPECT_EQ(form.Lst_Files.Text(), "b.txt");
  EXPECT_TRUE(Controls().FilesModel->Current());  // the selection alone is no new content

  // The model refills the list: the view follows and the selection is gone.
  form.Lst_Files.Clear();
  form.Lst_Files.AddItem("z.txt");
  EXPECT_EQ(ShownRows(), 3);  // not before the model's values are shown
  Push();
  EXPECT_EQ(ShownRows(), 1);
  EXPECT_EQ(ShownRow(0), "z.txt");
  EXPECT_EQ(SelectedRow(), -1);

  form.Lst_Files.SetListIndex(0);
  Push();
  EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(Binding, ARowsTextIsReadOnlyWhileTheListHasIt) {
  form.Lst_Files.AddItem("a.txt");
  form.Lst_Files.AddItem("b.txt");
  Push();
  // A routine empties the list and a modal box lets the view paint before the next push.
  form.Lst_Files.Clear();
  auto* model = Controls().Lst_Files->model();
  EXPECT_EQ(model->rowCount(), 2);
  EXPECT_FALSE(model->data(model->index(1, 0)).isValid());
}

TEST_F(Binding, TheStatusLineIsCreamWithTextAndButtonFaceWithout) {
  SetStatus(form, "Finished - posted 3 readings");
  Push();
  EXPECT_EQ(Controls().Lbl_Status->text(), "Finished - posted 3 readings");
  EXPECT_EQ(Controls().Lbl_Status->palette().color(QPalette::Window), QColor(255, 251, 240));
  SetStatus(form, "");
  Push();
  EXPECT_EQ(Controls().Lbl_Status->text(), "");
  EXPECT_EQ(Controls().Lbl_Status->palette().color(QPalette::Window),
            QApplication::palette().color(QPalette::Button));
}

TEST_F(Binding, DuringARunOnlyTheRunButtonTakesInput) {
  form.Run.Running = true;
  form.Run.Progress.FileSize = 400;
  form.Run.Progress.BytesRead = 100;
  Push();
  EXPECT_TRUE(Controls().Cmd_Export->isEnabled());
  for (QWidget* locked :
       {Controls().TopRow, static_cast<QWidget*>(Controls().Frame_PostFile),
        static_cast<QWidget*>(Controls().Frame_TextFiles),
        static_cast<QWidget*>(Controls().Cmd_Close), static_cast<QWidget*>(Controls().Menus)}) {
    EXPECT_FALSE(locked->isEnabled()) << qt::FromQt(locked->objectName());
  }
  EXPECT_FALSE(Controls().Txt_File[0]->isEnabled());
  EXPECT_FALSE(Controls().Chk_OutputPostFile->isEnabled());
  EXPECT_FALSE(Controls().RunProgress->isHidden());
  EXPECT_EQ(Controls().RunProgress->value(), 250);  // of 1000: a quarter of the bytes read

  form.Run.Running = false;
  Push();
  EXPECT_TRUE(Controls().Txt_File[0]->isEnabled());
  EXPECT_TRUE(Controls().Cmd_Close->isEnabled());
  EXPECT_TRUE(Controls().Menus->isEnabled());
  EXPECT_FALSE(Controls().Cmd_Edit[2]->isEnabled());  // the model still has it disabled
  EXPECT_TRUE(Controls().RunProgress->isHidden());
}

}  // namespace
}  // namespace tolvanex
