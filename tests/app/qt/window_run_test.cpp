// A run started from the window's button: the same files as the run routine on its own, the
// final status, Cancel, and the window's state while the run goes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iterator>

#include "app/qt/qt_text.h"
#include "core/run_driver.h"
#include "system/stop_requests.h"
#include "tests/app/qt/window_fixture.h"
#include "tests/support/run_folder.h"
#include "tests/support/scripted_platform.h"
#include "ui/startup.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

const std::string kRunData = testing::RunData();

// A folder with the data file, the lookup file and the two output folders of one run.
// Every file below a folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> FilesBelow(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || entry.path().filename() == ".tolvanex.lock") continue;
    files[fs::relative(entry.path(), root).string()] = testing::ReadFile(entry.path().string());
  }
  return files;
}

class WindowRun : public testing::WindowTest {
 protected:
  WindowRun() {
    testing::PrepareRunFolder(folder / "window");
    FillDateFormatList(form);
    FillColumnLevels(form);
    form.Lbl_Folder[0].Caption = folder / "window/post";
    form.Lbl_Folder[1].Caption = folder / "window/text";
    window.ShowModel();
    window.show();
    // The run's inputs as the user enters them.
    Controls().Txt_File[0]->setText(qt::ToQt(folder / "window/data.dat"));
    Controls().Txt_File[1]->setText(qt::ToQt(folder / "window/sites.lkp"));
    Controls().Chk_OutputPostFile->setChecked(true);
    Controls().Chk_OutputTextFiles->setChecked(true);
    Controls().Chk_SortLookup->setChecked(true);
    Controls().Txt_Extension->setText("txt");
    Controls().Cmb_Dateformat->setCurrentIndex(0);
  }

  ~WindowRun() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(-1); }

  // Runs something at the run's first let-through of events.
  void DuringTheRun(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

  // A click on the run button once its caption has stood for a double-click interval, as a
  // user's deliberate Cancel: the interval made short, so that the short test run is still
  // going.
  void ClickAsCancel() {
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);
    QTest::qSleep(5);
    RunButton()->click();
  }

  std::size_t PostFiles() const { return testing::NamesIn(folder / "window/post").size(); }

  QPushButton* RunButton() const { return Controls().Cmd_Export; }
};

TEST_F(WindowRun, TheButtonWritesWhatTheRunRoutineWritesAndShowsTheFinalStatus) {
  std::vector<QString> prompt;
  answerer.Queue(testing::AnswerInput("512", &prompt));
  RunButton()->click();

  // The same run without a window.
  testing::PrepareRunFolder(folder / "alone");
  testing::ScriptedPlatform scripted;
  scripted.InputAnswers = {"512"};
  Frm_Tolvanex alone(scripted);
  testing::PointWindowAt(alone, folder / "alone");
  DoExport(alone);
  ASSERT_TRUE(scripted.Messages.empty()) << scripted.Messages[0].Text;

  auto written = FilesBelow(folder / "window");
  EXPECT_EQ(written, FilesBelow(folder / "alone"));
  EXPECT_EQ(written.size(), 7u);  // data, lookup, two post files, three text files
  EXPECT_EQ(written["sites.lkp"], testing::ReadFile(kRunData + "/expected/sites.lkp"));
  EXPECT_EQ(prompt,
            (std::vector<QString>{"Enter site number", "88 / 1 needs a site number", "9999"}));

  EXPECT_EQ(Controls().Lbl_Status->text(), "Finished - posted 13 readings to 2 post file(s)");
  EXPECT_EQ(Controls().Lbl_Status->palette().color(QPalette::Window), QColor(255, 251, 240));
  EXPECT_EQ(RunButton()->text(), "&Process");
  EXPECT_EQ(Controls().Lbl_File[0]->text(), qt::ToQt(folder / "window/post/23Jul15.pst"));
  EXPECT_TRUE(Controls().Cmd_Edit[3]->isEnabled());
  EXPECT_EQ(Controls().Lst_Files->model()->rowCount(), 7);
  EXPECT_TRUE(Controls().RunProgress->isHidden());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(Controls().Frame_PostFile->isEnabled());
}

TEST_F(WindowRun, WhileItGoesOnlyCancelTakesInputAndTheProgressShows) {
  answerer.Queue(testing::AnswerInput("512"));
  bool seen = false;
  DuringTheRun([&] {
    seen = true;
    EXPECT_EQ(RunButton()->text(), "&Cancel");
    EXPECT_TRUE(RunButton()->isEnabled());
    EXPECT_FALSE(Controls().TopRow->isEnabled());
    EXPECT_FALSE(Controls().Frame_PostFile->isEnabled());
    EXPECT_FALSE(Controls().Frame_TextFiles->isEnabled());
    EXPECT_FALSE(Controls().Cmd_Close->isEnabled());
    EXPECT_FALSE(Controls().mnu_File[1]->isEnabled());
    EXPECT_TRUE(Controls().RunProgress->isVisible());
    EXPECT_GT(Controls().RunProgress->value(), 0);  // the first line has been read
    EXPECT_LT(Controls().RunProgress->value(), 1000);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  });
  RunButton()->click();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(Controls().TopRow->isEnabled());
  EXPECT_TRUE(Controls().Cmd_Close->isEnabled());
  EXPECT_TRUE(Controls().mnu_File[1]->isEnabled());
  EXPECT_TRUE(Controls().RunProgress->isHidden());
}

TEST_F(WindowRun, CancelEndsTheRunAfterTheLineInHand) {
  DuringTheRun([&] { ClickAsCancel(); });
  RunButton()->click();
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  EXPECT_EQ(Controls().Lbl_Status->text(), "Finished - posted 0 readings to 0 post file(s)");
  EXPECT_EQ(RunButton()->text(), "&Process");
  EXPECT_TRUE(testing::NamesIn(folder / "window/post").empty());
  EXPECT_TRUE(testing::NamesIn(folder / "window/text").empty());
}

// A double-click on Process: the second click reaches the button as Cancel at the run's first
// let-through, a moment after the caption turned, and is not taken.
TEST_F(WindowRun, TheSecondClickOfADoubleClickDoesNotCancelTheRun) {
  answerer.Queue(testing::AnswerInput("512"));
  DuringTheRun([&] { QTest::mouseDClick(RunButton(), Qt::LeftButton); });
  RunButton()->click();
  EXPECT_TRUE(form.Run.ReachedEndOfData);
  EXPECT_EQ(Controls().Lbl_Status->text(), "Finished - posted 13 readings to 2 post file(s)");
  EXPECT_EQ(RunButton()->text(), "&Process");
}

// A Cancel made while the run was ending arrives when it has ended, on "&Process".
TEST_F(WindowRun, AClickRightAfterTheRunEndedStartsNoNewRunButALaterOneDoes) {
  answerer.Queue(testing::AnswerInput("512"));
  RunButton()->click();
  ASSERT_EQ(PostFiles(), 2u);
  RunButton()->click();
  EXPECT_EQ(PostFiles(), 2u);
  EXPECT_FALSE(form.Run.Running);

  QTest::qWait(QApplication::doubleClickInterval() + 50);
  RunButton()->click();
  EXPECT_EQ(PostFiles(), 4u);  // the same readings again, under lettered names
}

TEST_F(WindowRun, AltPPressesProcessFromTheStart) {
  answerer.Queue(testing::AnswerInput("512"));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QLineEdit* dataFile = Controls().Txt_File[0];
  dataFile->setFocus();
  QString typed = dataFile->text();
  QTest::keyClick(dataFile, Qt::Key_P, Qt::AltModifier);
  QTRY_COMPARE(Controls().Lbl_Status->text(), "Finished - posted 13 readings to 2 post file(s)");
  EXPECT_EQ(dataFile->text(), typed);
}

TEST_F(WindowRun, ClosingDuringARunStopsItAndClosesWhenItHasEnded) {
  form.IniFile = folder / "tolvanex.ini";
  bool closedAtOnce = true;
  bool goneAtOnce = false;
  DuringTheRun([&] {
    window.close();
    closedAtOnce = window.Closed();
    goneAtOnce = !window.isVisible();
  });
  RunButton()->click();
  EXPECT_FALSE(closedAtOnce);
  EXPECT_TRUE(goneAtOnce);  // out of sight while the run winds down
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.isVisible());
  // The close request ran after the run, with the run's settings.
  EXPECT_NE(testing::ReadFile(form.IniFile).find("Extension=txt\r\n"), std::string::npos);
}

// A request to stop from outside (the session ending, kill) during a run: the run is cancelled,
// then the window closes as Exit closes it.
TEST_F(WindowRun, AStopRequestFromOutsideCancelsTheRunAndClosesTheWindow) {
  form.IniFile = folder / "tolvanex.ini";
  WatchStopRequests(false);  // as the program's first statement does
  window.CloseOnStopRequests();
  DuringTheRun([&] {
    ::raise(SIGTERM);
    // What a let-through would hand on: the request, noticed on its descriptor.
    QCoreApplication::processEvents();
  });
  RunButton()->click();
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(RunButton()->text(), "&Process");
  EXPECT_NE(testing::ReadFile(form.IniFile).find("Extension=txt\r\n"), std::string::npos);

  // Idle, the next request closes the window at once.
  window.show();
  Controls().Txt_Extension->setText("csv");
  ::raise(SIGHUP);
  QTRY_VERIFY(!window.isVisible());
  EXPECT_NE(testing::ReadFile(form.IniFile).find("Extension=csv\r\n"), std::string::npos);
}

TEST_F(WindowRun, AMissingDataFileIsReportedAndTheWindowIsIdleAgain) {
  Controls().Txt_File[0]->setText(qt::ToQt(folder / "missing.dat"));
  std::vector<testing::SeenMessage> seen;
  answerer.Queue(testing::ConfirmMessage(seen));
  RunButton()->click();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text,
            "No such file or directory\nTolvanex:DoExport: " + qt::ToQt(folder / "missing.dat"));
  EXPECT_EQ(RunButton()->text(), "&Process");
  EXPECT_TRUE(Controls().TopRow->isEnabled());
  EXPECT_TRUE(Controls().RunProgress->isHidden());
}

}  // namespace
}  // namespace tolvanex
