// A run started from the window's button: the same files as the engine on its own, the final
// status, Cancel, and the window's state while the run goes on its thread.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
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
#include "core/conversion_engine.h"
#include "system/stop_requests.h"
#include "tests/app/qt/window_fixture.h"
#include "tests/support/recording_observer.h"
#include "tests/support/run_folder.h"
#include "ui/startup.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

const std::string kRunData = testing::RunData();

// Long enough for a run to be going still when the test acts at a tick of the window, also on a
// fast machine.
constexpr int kLongRun = 1000000;
std::string FinishedLongRun() {
  return "Finished - posted " + std::to_string(kLongRun) + " readings to 1 post file(s)";
}

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

  // A data file long enough that the run is still going when the test acts, of a pair the
  // lookup file knows.
  void WriteLongDataFile() {
    std::string data = "header\r\n";
    data.reserve(kLongRun * 64);
    for (int i = 0; i < kLongRun; ++i) {
      data += "\"2031\",\"7\",\"14 Jul 2023 09:05\",S100,0.7,12.5,0,1.5,11.75,0\r\n";
    }
    testing::WriteFile(folder / "window/data.dat", data);
    Controls().Chk_OutputTextFiles->setChecked(false);
  }

  // Lets the window's events through until done() holds; false when it did not within two
  // minutes. The bound only catches a hang: a long run in the sanitizer build on a loaded
  // machine takes well over 20 s.
  bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
      if (waited.elapsed() > 120000) return false;
      QTest::qWait(2);
    }
    return true;
  }
  bool RunEnds() {
    return WaitUntil([this] { return !window.RunGoing(); });
  }
  // The run has shown that it read some of its data file.
  bool RunShowsProgress() {
    return WaitUntil(
               [this] { return Controls().RunProgress->value() > 0 || !window.RunGoing(); }) &&
           window.RunGoing();
  }

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
  ASSERT_TRUE(RunEnds());

  // The same run without a window.
  testing::PrepareRunFolder(folder / "alone");
  testing::RecordingObserver observer;
  observer.SiteAnswers = {"512"};
  ConversionEngine().Convert(testing::RequestAt(folder / "alone"), observer);
  ASSERT_TRUE(observer.Reports.empty()) << observer.ReportTexts()[0];

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
  WriteLongDataFile();
  RunButton()->click();
  ASSERT_TRUE(RunShowsProgress());
  EXPECT_EQ(RunButton()->text(), "&Cancel");
  EXPECT_TRUE(RunButton()->isEnabled());
  EXPECT_FALSE(Controls().TopRow->isEnabled());
  EXPECT_FALSE(Controls().Frame_PostFile->isEnabled());
  EXPECT_FALSE(Controls().Frame_TextFiles->isEnabled());
  EXPECT_FALSE(Controls().Cmd_Close->isEnabled());
  EXPECT_FALSE(Controls().mnu_File[1]->isEnabled());
  EXPECT_TRUE(Controls().RunProgress->isVisible());
  EXPECT_LT(Controls().RunProgress->value(), 1000);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

  ASSERT_TRUE(RunEnds());
  EXPECT_TRUE(form.Run.ReachedEndOfData);
  EXPECT_TRUE(Controls().TopRow->isEnabled());
  EXPECT_TRUE(Controls().Cmd_Close->isEnabled());
  EXPECT_TRUE(Controls().mnu_File[1]->isEnabled());
  EXPECT_TRUE(Controls().RunProgress->isHidden());
}

TEST_F(WindowRun, CancelEndsTheRunAfterTheLineInHand) {
  WriteLongDataFile();
  RunButton()->click();
  ASSERT_TRUE(RunShowsProgress());
  ClickAsCancel();
  ASSERT_TRUE(RunEnds());
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  QString status = Controls().Lbl_Status->text();
  EXPECT_TRUE(status.startsWith("Finished - posted ")) << status.toStdString();
  EXPECT_NE(status, qt::ToQt(FinishedLongRun()));
  EXPECT_EQ(RunButton()->text(), "&Process");
  // The readings taken stay, in a post file under its name.
  EXPECT_EQ(PostFiles(), 1u);
}

// Neither the menu's loop, nor moving and sizing the window, holds a run: it reaches its end
// while the menu is still open.
TEST_F(WindowRun, AMenuOpenAndAMoveAndResizeDuringARunDoNotHoldIt) {
  WriteLongDataFile();
  RunButton()->click();
  ASSERT_TRUE(RunShowsProgress());
  window.move(window.pos() + QPoint(40, 30));
  window.resize(window.size() + QSize(60, 40));
  QMenu menu;
  menu.addAction("Open");
  bool endedWhileOpen = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (window.RunGoing()) return;
    endedWhileOpen = menu.isVisible();
    menu.close();
  });
  watch.start(5);
  menu.exec(window.mapToGlobal(QPoint(10, 10)));
  EXPECT_TRUE(endedWhileOpen);
  EXPECT_FALSE(window.RunGoing());
  EXPECT_TRUE(form.Run.ReachedEndOfData);
  EXPECT_EQ(Controls().Lbl_Status->text(), qt::ToQt(FinishedLongRun()));
}

// A double-click on Process: the second click reaches the button as Cancel a moment after the
// caption turned, and is not taken.
TEST_F(WindowRun, TheSecondClickOfADoubleClickDoesNotCancelTheRun) {
  answerer.Queue(testing::AnswerInput("512"));
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(2000);
  RunButton()->click();
  QTest::mouseDClick(RunButton(), Qt::LeftButton);  // the second click, on Cancel
  ASSERT_TRUE(RunEnds());
  EXPECT_TRUE(form.Run.ReachedEndOfData);
  EXPECT_EQ(Controls().Lbl_Status->text(), "Finished - posted 13 readings to 2 post file(s)");
  EXPECT_EQ(RunButton()->text(), "&Process");
}

// A Cancel made while the run was ending arrives when it has ended, on "&Process".
TEST_F(WindowRun, AClickRightAfterTheRunEndedStartsNoNewRunButALaterOneDoes) {
  answerer.Queue(testing::AnswerInput("512"));
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(2000);
  RunButton()->click();
  ASSERT_TRUE(RunEnds());
  ASSERT_EQ(PostFiles(), 2u);
  RunButton()->click();
  EXPECT_FALSE(window.RunGoing());
  EXPECT_EQ(PostFiles(), 2u);

  QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);
  QTest::qWait(5);
  RunButton()->click();
  ASSERT_TRUE(RunEnds());
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
  WriteLongDataFile();
  form.IniFile = folder / "tolvanex.ini";
  RunButton()->click();
  ASSERT_TRUE(RunShowsProgress());
  window.close();
  EXPECT_FALSE(window.Closed());
  EXPECT_FALSE(window.isVisible());  // out of sight while the run winds down
  ASSERT_TRUE(WaitUntil([this] { return window.Closed(); }));
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  EXPECT_FALSE(window.isVisible());
  // The close request ran after the run, with the run's settings.
  EXPECT_NE(testing::ReadFile(form.IniFile).find("Extension=txt\r\n"), std::string::npos);
}

// A request to stop from outside (the session ending, kill) during a run: the run is cancelled,
// then the window closes as Exit closes it.
TEST_F(WindowRun, AStopRequestFromOutsideCancelsTheRunAndClosesTheWindow) {
  WriteLongDataFile();
  form.IniFile = folder / "tolvanex.ini";
  WatchStopRequests(false);  // as the program's first statement does
  window.CloseOnStopRequests();
  RunButton()->click();
  ASSERT_TRUE(RunShowsProgress());
  ::raise(SIGTERM);
  ASSERT_TRUE(WaitUntil([this] { return window.Closed(); }));
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(RunButton()->text(), "&Process");
  EXPECT_NE(testing::ReadFile(form.IniFile).find("Extension=txt\r\n"), std::string::npos);
}

// Idle, a request to stop from outside closes the window at once, as Exit does.
TEST_F(WindowRun, AStopRequestWhileIdleClosesTheWindowAtOnce) {
  form.IniFile = folder / "tolvanex.ini";
  WatchStopRequests(false);
  window.CloseOnStopRequests();
  Controls().Txt_Extension->setText("csv");
  ::raise(SIGHUP);
  ASSERT_TRUE(WaitUntil([this] { return window.Closed(); }));
  EXPECT_FALSE(window.isVisible());
  EXPECT_NE(testing::ReadFile(form.IniFile).find("Extension=csv\r\n"), std::string::npos);
}

TEST_F(WindowRun, AMissingDataFileIsReportedAndTheWindowIsIdleAgain) {
  Controls().Txt_File[0]->setText(qt::ToQt(folder / "missing.dat"));
  std::vector<testing::SeenMessage> seen;
  answerer.Queue(testing::ConfirmMessage(seen));
  RunButton()->click();
  ASSERT_TRUE(RunEnds());
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text,
            "No such file or directory\nTolvanex:DoExport: " + qt::ToQt(folder / "missing.dat"));
  EXPECT_EQ(RunButton()->text(), "&Process");
  EXPECT_TRUE(Controls().TopRow->isEnabled());
  EXPECT_TRUE(Controls().RunProgress->isHidden());
}

}  // namespace
}  // namespace tolvanex
