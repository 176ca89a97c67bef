// Each widget event runs the model's routine: start-up, the ways of closing, the menus, the
// file and folder buttons, the files list and the edit buttons.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "app/qt/qt_text.h"
#include "system/desktop.h"
#include "system/version.h"
#include "tests/app/qt/window_fixture.h"
#include "tests/support/process.h"
#include "ui/startup.h"

namespace tolvanex {
namespace {

using testing::SeenMessage;

class WindowEvents : public testing::WindowTest {
 protected:
  std::string Ini() const { return folder / "tolvanex.ini"; }
  std::string IniText() const { return testing::ReadFile(Ini()); }
};

TEST_F(WindowEvents, ASecondInstanceSaysSoAndClosesWithoutSettings) {
  SingleInstanceLock first(folder / "tolvanex.lock");
  ASSERT_TRUE(first.Acquire());
  std::vector<SeenMessage> seen;
  answerer.Queue(testing::ConfirmMessage(seen));
  window.Load();

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, "tolvanex_qt_tests is already running");
  EXPECT_EQ(seen[0].Title, "Tolvanex");
  EXPECT_FALSE(seen[0].HasIcon);
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(form.IniFile.empty());
}

TEST_F(WindowEvents, ExitSavesWhatTheUserTypedAndClosesTheWindow) {
  form.IniFile = Ini();
  window.show();
  Controls().Txt_File[0]->setText("/data/SdNew.dat");
  Controls().Chk_OutputTextFiles->click();
  Controls().Cmd_Close->click();
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.isVisible());
  EXPECT_NE(IniText().find("DataFile=/data/SdNew.dat\r\n"), std::string::npos) << IniText();
  EXPECT_NE(IniText().find("OutputTextFile=1\r\n"), std::string::npos) << IniText();
}

TEST_F(WindowEvents, FileExitAndTheTitleBarGoThroughTheCloseRequest) {
  form.IniFile = Ini();
  window.show();
  Controls().Txt_Extension->setText("csv");
  Controls().mnu_File[1]->trigger();
  EXPECT_TRUE(window.Closed());
  EXPECT_NE(IniText().find("Extension=csv\r\n"), std::string::npos);

  // A second window, closed by its title bar.
  qt::QtPlatform nextDesktop{folder / "next.lock"};
  Frm_Tolvanex next(nextDesktop);
  qt::MainWindow nextWindow(next, nextDesktop);
  next.IniFile = Ini();
  nextWindow.show();
  nextWindow.Controls().Txt_Extension->setText("log");
  nextWindow.close();
  EXPECT_TRUE(nextWindow.Closed());
  EXPECT_NE(IniText().find("Extension=log\r\n"), std::string::npos);
}

// The window comes back where it stood, in its size; a place on no screen is brought onto one.
TEST_F(WindowEvents, TheWindowOpensWhereItWasClosed) {
  form.IniFile = Ini();
  window.Open();
  QRect screen = window.screen()->availableGeometry();
  window.resize(window.width() + 40, window.height() + 30);
  window.move(screen.x() + 20, screen.y() + 10);
  QSize size = window.size();
  QPoint place = window.pos();
  window.close();
  EXPECT_NE(IniText().find("[Window]"), std::string::npos);

  auto reopen = [this](const std::function<void(qt::MainWindow&)>& check) {
    qt::QtPlatform nextDesktop{folder / "next.lock"};
    Frm_Tolvanex next(nextDesktop);
    qt::MainWindow nextWindow(next, nextDesktop);
    LoadWindow(next, Ini());
    nextWindow.ShowModel();
    nextWindow.Open();
    check(nextWindow);
    nextWindow.close();
  };
  reopen([&](qt::MainWindow& again) {
    EXPECT_EQ(again.size(), size);
    EXPECT_EQ(again.pos(), place);
  });

  // A screen that has gone: the window opens whole on the one there is.
  testing::WriteFile(Ini(), "[Window]\r\nLeft=9000\r\nTop=9000\r\nWidth=640\r\nHeight=480\r\n");
  reopen([&](qt::MainWindow& again) {
    EXPECT_TRUE(screen.contains(again.frameGeometry().topLeft())) << again.x() << "," << again.y();
    EXPECT_EQ(again.size(), QSize(640, 480));
  });
}

// The usage and the version need no display: asked for them, the program opens no window.
TEST(WindowCommandLine, HelpAndVersionAnswerOnStdoutWithoutADisplay) {
  std::map<std::string, std::string> noDisplay{
      {"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}};
  auto help = testing::RunProcess(TOLVANEX_WINDOW, {"--help"}, "", noDisplay);
  EXPECT_EQ(help.ExitStatus, 0) << help.Err;
  EXPECT_EQ(help.Out.rfind("Usage: tolvanex [OPTION]...\n", 0), 0u) << help.Out;
  EXPECT_NE(help.Out.find("--settings FILE"), std::string::npos);
  EXPECT_EQ(help.Err, "");

  auto version =
      testing::RunProcess(TOLVANEX_WINDOW, {"-platform", "xcb", "--version"}, "", noDisplay);
  EXPECT_EQ(version.ExitStatus, 0) << version.Err;
  EXPECT_EQ(version.Out, "tolvanex " + std::string(kReleaseVersion) + "\n" + kVersionNotice);

  // A command line not understood is a usage error, as GNU programs give it; no display is
  // one line that says what is missing.
  struct Case {
    std::vector<std::string> Arguments;
    int Status;
    std::string Err;
  };
  for (const Case& c :
       {Case{{"--bogus"}, 2, "tolvanex: unrecognized option '--bogus'\nTry 'tolvanex --help'.\n"},
        Case{{"--settings"},
             2,
             "tolvanex: option '--settings' requires an argument\nTry 'tolvanex --help'.\n"},
        Case{
            {"extra.ini"}, 2, "tolvanex: unexpected operand 'extra.ini'\nTry 'tolvanex --help'.\n"},
        Case{{"-platform", "xcb"},
             1,
             "tolvanex: cannot open the window without a display: DISPLAY is not set\n"}}) {
    auto result = testing::RunProcess(TOLVANEX_WINDOW, c.Arguments, "", noDisplay);
    EXPECT_EQ(result.ExitStatus, c.Status) << c.Err;
    EXPECT_EQ(result.Err, c.Err);
    EXPECT_EQ(result.Out, "");
  }
}

TEST_F(WindowEvents, HelpAboutShowsTheVersion) {
  window.show();
  std::vector<SeenMessage> seen;
  answerer.Queue(testing::ConfirmMessage(seen));
  Controls().mnu_Help[0]->trigger();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Title, "Quenbury");
  EXPECT_FALSE(seen[0].HasIcon);
  QStringList lines = seen[0].Text.split('\n');
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], "Sondrel data processing");
  EXPECT_EQ(lines[3], "Version 1.0.007");
}

// Ctrl+O opens the data file, F1 the About message and Ctrl+Q closes the window, from whichever
// control has the focus.
TEST_F(WindowEvents, TheMenuItemsHaveTheirKeys) {
  form.IniFile = Ini();
  window.show();
  // The keys reach the window when it is the active one, as after each box closes.
  auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Controls().Txt_Extension->setFocus();
    QTest::keyClick(Controls().Txt_Extension, key, modifiers);
  };

  answerer.Queue(testing::ChooseFile(qt::ToQt(folder / "SdKey.dat")));
  press(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(Controls().Txt_File[0]->text(), qt::ToQt(folder / "SdKey.dat"));

  std::vector<SeenMessage> seen;
  answerer.Queue(testing::ConfirmMessage(seen));
  press(Qt::Key_F1, Qt::NoModifier);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Title, "Quenbury");

  press(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_TRUE(window.Closed());
  EXPECT_NE(IniText().find("DataFile=" + folder / "SdKey.dat" + "\r\n"), std::string::npos);
}

TEST_F(WindowEvents, TheDataFileButtonChoosesAFileAndRereadsTheLookupEvenAfterCancel) {
  window.show();
  testing::WriteFile(folder / "SdOne.dat", "");
  Controls().Txt_File[0]->setText(qt::ToQt(folder / "old.dat"));
  QStringList filters;
  answerer.Queue(testing::ChooseFile(qt::ToQt(folder / "SdOne.dat"), [&](QWidget* dialog) {
    filters = testing::ShownFilters(dialog);
  }));
  form.Engine.Session().Lookup.Loaded = true;
  Controls().Cmd_GetFile[0]->click();
  EXPECT_EQ(filters, (QStringList{"Sondrel files (Sd*.dat)", "Sondrel Backup (Sd*.old)",
                                  "All files (*.*)"}));
  EXPECT_EQ(Controls().Txt_File[0]->text(), qt::ToQt(folder / "SdOne.dat"));
  EXPECT_FALSE(form.Engine.Session().Lookup.Loaded);

  form.Engine.Session().Lookup.Loaded = true;
  answerer.Queue(testing::CancelDialog());
  Controls().Cmd_GetFile[1]->click();
  EXPECT_EQ(Controls().Txt_File[1]->text(), "Sondrel.lkp");
  EXPECT_FALSE(form.Engine.Session().Lookup.Loaded);
}

TEST_F(WindowEvents, FileOpenChoosesTheDataFileAndKeepsTheLookupLoaded) {
  window.show();
  form.Engine.Session().Lookup.Loaded = true;
  answerer.Queue(testing::ChooseFile(qt::ToQt(folder / "SdTwo.dat")));
  Controls().mnu_File[0]->trigger();
  EXPECT_EQ(Controls().Txt_File[0]->text(), qt::ToQt(folder / "SdTwo.dat"));
  EXPECT_TRUE(form.Engine.Session().Lookup.Loaded);
}

TEST_F(WindowEvents, ANewOutputFolderRefillsTheList) {
  window.show();
  std::filesystem::create_directory(folder / "text");
  testing::WriteFile(folder / "text/b.txt", "");
  testing::WriteFile(folder / "text/A.txt", "");
  testing::WriteFile(folder / "text/c.dat", "");
  Controls().Txt_Extension->setText("txt");
  QString title;
  answerer.Queue(testing::ChooseFile(qt::ToQt(folder / "text"),
                                     [&](QWidget* dialog) { title = dialog->windowTitle(); }));
  Controls().Cmd_GetFolder[1]->click();
  EXPECT_EQ(title, "Locate a folder for Folder for output files");
  EXPECT_EQ(Controls().Lbl_Folder[1]->text(), qt::ToQt(folder / "text"));
  auto* rows = Controls().Lst_Files->model();
  ASSERT_EQ(rows->rowCount(), 2);
  EXPECT_EQ(rows->data(rows->index(0, 0)).toString(), "A.txt");
  EXPECT_EQ(rows->data(rows->index(1, 0)).toString(), "b.txt");
}

// Drops a drag's data onto a widget of the window, as the mouse would; true when it was taken.
bool DropOnto(QWidget* target, const QMimeData& data) {
  QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

class DroppedFiles : public WindowEvents {
 protected:
  DroppedFiles() {
    window.show();
    for (const char* name : {"SdOne.dat", "SdTwo.dat", "sites.lkp"}) {
      testing::WriteFile(folder / name, "");
    }
    Controls().Txt_File[0]->setText("/old/SdOld.dat");
  }
  QString Path(const char* name) const { return qt::ToQt(folder / name); }
  void Carry(QMimeData& data, std::initializer_list<const char*> names) const {
    QList<QUrl> urls;
    for (const char* name : names) urls.append(QUrl::fromLocalFile(Path(name)));
    data.setUrls(urls);
  }
};

TEST_F(DroppedFiles, OntoTheLookupBoxAFileNamesTheLookupFileAnywhereElseTheDataFile) {
  QMimeData lookup;
  Carry(lookup, {"sites.lkp"});
  form.Engine.Session().Lookup.Loaded = true;
  EXPECT_TRUE(DropOnto(Controls().Txt_File[1], lookup));
  EXPECT_EQ(Controls().Txt_File[1]->text(), Path("sites.lkp"));
  EXPECT_EQ(Controls().Txt_File[0]->text(), "/old/SdOld.dat");
  EXPECT_FALSE(form.Engine.Session().Lookup.Loaded);

  // The box's text is replaced, never added to.
  QMimeData one;
  Carry(one, {"SdOne.dat"});
  EXPECT_TRUE(DropOnto(Controls().Txt_File[0], one));
  EXPECT_EQ(Controls().Txt_File[0]->text(), Path("SdOne.dat"));

  QMimeData two;
  Carry(two, {"SdTwo.dat"});
  for (QWidget* elsewhere : {static_cast<QWidget*>(Controls().Lst_Files->viewport()),
                             static_cast<QWidget*>(Controls().Txt_Extension),
                             static_cast<QWidget*>(Controls().Cmd_Export)}) {
    Controls().Txt_File[0]->setText("/old/SdOld.dat");
    EXPECT_TRUE(DropOnto(elsewhere, two)) << qt::FromQt(elsewhere->objectName());
    EXPECT_EQ(Controls().Txt_File[0]->text(), Path("SdTwo.dat"));
  }
  EXPECT_EQ(Controls().Txt_File[1]->text(), Path("sites.lkp"));
  EXPECT_EQ(Controls().Txt_Extension->text(), "dat");
}

TEST_F(DroppedFiles, TextWebAddressesFoldersAndSeveralFilesAreRefused) {
  QMimeData text;
  text.setText("file:///old/other.dat");
  QMimeData web;
  web.setUrls({QUrl("https://example.invalid/SdOne.dat")});
  QMimeData folderOnly;
  folderOnly.setUrls({QUrl::fromLocalFile(qt::ToQt(folder.Path()))});
  QMimeData several;
  Carry(several, {"SdOne.dat", "SdTwo.dat"});
  for (const QMimeData* data : {&text, &web, &folderOnly, &several}) {
    for (QWidget* target : {static_cast<QWidget*>(Controls().Txt_File[0]),
                            static_cast<QWidget*>(Controls().Txt_File[1]),
                            static_cast<QWidget*>(Controls().Txt_Extension)}) {
      EXPECT_FALSE(DropOnto(target, *data)) << qt::FromQt(target->objectName());
    }
  }
  EXPECT_EQ(Controls().Txt_File[0]->text(), "/old/SdOld.dat");
  EXPECT_EQ(Controls().Txt_File[1]->text(), "Sondrel.lkp");
  EXPECT_EQ(Controls().Txt_Extension->text(), "dat");
}

// The editor named by TOLVANEX_EDITOR for one test: a script that writes the path it was given.
class EditorScript {
 public:
  explicit EditorScript(const testing::TempFolder& folder)
      : script_(folder / "editor.sh"), output_(folder / "edited") {
    testing::WriteFile(script_, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + output_ +
                                    ".part\" && mv \"" + output_ + ".part\" \"" + output_ + "\"\n");
    std::filesystem::permissions(script_, std::filesystem::perms::owner_all);
    ::setenv("TOLVANEX_EDITOR", script_.c_str(), 1);
  }
  ~EditorScript() { ::unsetenv("TOLVANEX_EDITOR"); }

  // The path the editor received; the editor runs on its own, so this waits for it.
  std::string Received() const {
    for (int i = 0; i < 500 && !testing::Exists(output_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return testing::Exists(output_) ? testing::ReadFile(output_) : "(the editor never ran)";
  }

 private:
  std::string script_;
  std::string output_;
};

TEST_F(WindowEvents, AClickOnTheListEnablesItsEditButtonAndADoubleClickOpensTheFile) {
  EditorScript editor(folder);
  window.show();
  form.Lbl_Folder[1].Caption = folder.Path();
  for (const char* name : {"a.txt", "b.txt"}) form.Lst_Files.AddItem(name);
  window.ShowModel();
  QListView* list = Controls().Lst_Files;
  QRect second = list->visualRect(list->model()->index(1, 0));

  form.Engine.Session().Lookup.Loaded = true;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(form.Lst_Files.ListIndex(), 1);
  EXPECT_TRUE(Controls().Cmd_Edit[2]->isEnabled());

  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(editor.Received(), folder / "b.txt");
  EXPECT_TRUE(
      form.Engine.Session().Lookup.Loaded);  // the double-click leaves the lookup table loaded
}

TEST_F(WindowEvents, AnEditorThatCannotBeStartedIsNamedInTheReport) {
  std::string editor = folder / "no-such-editor";
  ::setenv("TOLVANEX_EDITOR", editor.c_str(), 1);
  window.show();
  testing::WriteFile(folder / "SdOne.dat", "");
  Controls().Txt_File[0]->setText(qt::ToQt(folder / "SdOne.dat"));
  std::vector<SeenMessage> seen;
  answerer.Queue(testing::ConfirmMessage(seen));
  Controls().Cmd_Edit[0]->click();
  ::unsetenv("TOLVANEX_EDITOR");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, qt::ToQt("The editor " + editor +
                                   " could not be started: No such file or directory\n"
                                   "Tolvanex:EditFile: " +
                                   folder / "SdOne.dat"));
}

TEST_F(WindowEvents, AnEditButtonOpensItsFileAndRereadsTheLookup) {
  EditorScript editor(folder);
  window.show();
  Controls().Txt_File[1]->setText(qt::ToQt(folder / "sites.lkp"));
  form.Engine.Session().Lookup.Loaded = true;
  Controls().Cmd_Edit[1]->click();
  EXPECT_EQ(editor.Received(), folder / "sites.lkp");
  EXPECT_FALSE(form.Engine.Session().Lookup.Loaded);
}

}  // namespace
}  // namespace tolvanex
