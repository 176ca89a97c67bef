// The Qt desktop: its boxes and dialogs as the user sees them, and the override cursor.
#include "app/qt/qt_platform.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <filesystem>

#include "app/qt/qt_text.h"
#include "base/paths.h"
#include "tests/app/qt/window_fixture.h"
#include "ui/status.h"

namespace tolvanex {
namespace {

using testing::SeenMessage;

class QtDesktop : public testing::WindowTest {
 protected:
  QtDesktop() { window.show(); }
};

TEST_F(QtDesktop, AMessageBoxHasNoIconOneButtonAndPlainLines) {
  std::vector<SeenMessage> seen;
  answerer.Queue(testing::ConfirmMessage(seen));
  desktop.MessageBox("No such file <b>x</b>\r\nTolvanex:DoExport: x", "Tolvanex");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Title, "Tolvanex");
  EXPECT_EQ(seen[0].Text, "No such file <b>x</b>\nTolvanex:DoExport: x");
  EXPECT_FALSE(seen[0].HasIcon);
  EXPECT_EQ(seen[0].Buttons, 1);
}

TEST_F(QtDesktop, TheSitePromptIsWideEnoughForItsTitle) {
  int width = 0;
  answerer.Queue([&](QWidget* dialog) {
    width = dialog->width();
    static_cast<QDialog*>(dialog)->reject();
  });
  desktop.InputBox("88 / 1 needs a site number", "Enter site number", "9999");
  QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
  // The title, and beside it room for the window manager's icon and buttons.
  EXPECT_GE(width, title.horizontalAdvance("Enter site number") + 6 * title.height());
}

// During a run the pointer is the hourglass; over a box that waits for the user it is the arrow.
TEST_F(QtDesktop, ModalBoxesShowTheArrowAndTheHourglassComesBackAfterThem) {
  desktop.SetMousePointer(kPointerHourglass);
  std::vector<Qt::CursorShape> seen;
  auto shape = [&](QWidget*) {
    seen.push_back(QGuiApplication::overrideCursor() != nullptr
                       ? QGuiApplication::overrideCursor()->shape()
                       : Qt::BitmapCursor);
  };
  std::vector<SeenMessage> messages;
  answerer.Queue([&](QWidget* box) {
    shape(box);
    testing::ConfirmMessage(messages)(box);
  });
  answerer.Queue([&](QWidget* box) {
    shape(box);
    testing::AnswerInput("512")(box);
  });
  answerer.Queue(testing::CancelDialog(shape));
  answerer.Queue(testing::CancelDialog(shape));
  desktop.MessageBox("Disk full", "Tolvanex");
  desktop.InputBox("88 / 1 needs a site number", "Enter site number", "9999");
  desktop.ShowOpen({{"All files (*.*)", "*.*"}}, folder / "x.dat");
  desktop.BrowseForFolder("Locate a folder for x", folder.Path());
  EXPECT_EQ(seen, std::vector<Qt::CursorShape>(4, Qt::ArrowCursor));
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  desktop.SetMousePointer(kPointerDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtDesktop, TheInputBoxShowsPromptTitleAndDefaultAndCancelGivesNothing) {
  std::vector<QString> seen;
  answerer.Queue(testing::AnswerInput("512", &seen));
  EXPECT_EQ(desktop.InputBox("88 / 1 needs a site number", "Enter site number", "9999"), "512");
  EXPECT_EQ(seen,
            (std::vector<QString>{"Enter site number", "88 / 1 needs a site number", "9999"}));

  answerer.Queue(testing::CancelInput());
  EXPECT_EQ(desktop.InputBox("88 / 1 needs a site number", "Enter site number", "9999"), "");
}

TEST_F(QtDesktop, TheOpenDialogOffersTheFiltersAndStartsAtTheInitialName) {
  testing::WriteFile(folder / "SdOne.dat", "");
  QStringList filters;
  QString selectedFilter;
  QString directory;
  QString typed;
  QStringList allFiles;
  answerer.Queue(testing::ChooseFile(qt::ToQt(folder / "SdOne.dat"), [&](QWidget* dialog) {
    auto* files = static_cast<QFileDialog*>(dialog);
    filters = testing::ShownFilters(files);
    selectedFilter = files->selectedNameFilter();
    files->selectNameFilter(files->nameFilters().back());
    allFiles = files->findChild<QFileSystemModel*>()->nameFilters();
    directory = files->directory().absolutePath();
    typed = files->findChild<QLineEdit*>("fileNameEdit")->text();
  }));
  auto chosen = desktop.ShowOpen({{"Data (Sd*.dat)", "Sd*.dat"}, {"All files (*.*)", "*.*"}},
                                 folder / "SdOne.dat");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder / "SdOne.dat");
  EXPECT_EQ(filters, (QStringList{"Data (Sd*.dat)", "All files (*.*)"}));
  EXPECT_TRUE(selectedFilter.startsWith("Data (Sd*.dat)"));
  // "All files (*.*)" lists every file, also one without a dot in its name.
  EXPECT_TRUE(QDir::match(allFiles, "README"));
  EXPECT_TRUE(QDir::match(allFiles, "SdOne.dat"));
  EXPECT_EQ(directory, qt::ToQt(folder.Path()));
  EXPECT_EQ(typed, "SdOne.dat");
}

TEST_F(QtDesktop, ABareInitialNameStartsInTheCurrentFolderAndTheNameNeedNotExist) {
  std::filesystem::current_path(folder.Path());
  QString directory;
  answerer.Queue(testing::ChooseFile(qt::ToQt(folder / "new.lkp"), [&](QWidget* dialog) {
    directory = static_cast<QFileDialog*>(dialog)->directory().absolutePath();
  }));
  auto chosen = desktop.ShowOpen({{"Lookup files (*.lkp)", "*.lkp"}}, "sites.lkp");
  EXPECT_EQ(directory, qt::ToQt(folder.Path()));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder / "new.lkp");

  answerer.Queue(testing::CancelDialog());
  EXPECT_FALSE(desktop.ShowOpen({{"Lookup files (*.lkp)", "*.lkp"}}, "sites.lkp").has_value());
}

TEST_F(QtDesktop, TheFolderPickerShowsThePromptAndStartsAtTheFolder) {
  std::filesystem::create_directory(folder / "start");
  std::filesystem::create_directory(folder / "chosen");
  QString title;
  QString directory;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  answerer.Queue(testing::ChooseFile(qt::ToQt(folder / "chosen"), [&](QWidget* dialog) {
    auto* files = static_cast<QFileDialog*>(dialog);
    title = files->windowTitle();
    directory = files->directory().absolutePath();
    mode = files->fileMode();
  }));
  auto chosen =
      desktop.BrowseForFolder("Locate a folder for Folder for post files", folder / "start");
  EXPECT_EQ(title, "Locate a folder for Folder for post files");
  EXPECT_EQ(directory, qt::ToQt(folder / "start"));
  EXPECT_EQ(mode, QFileDialog::Directory);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder / "chosen");

  answerer.Queue(testing::CancelDialog());
  EXPECT_FALSE(desktop.BrowseForFolder("Locate a folder for x", folder / "start").has_value());
}

TEST_F(QtDesktop, TheHourglassIsTheOverrideCursorAndZeroRemovesIt) {
  ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
  desktop.SetMousePointer(kPointerHourglass);
  EXPECT_EQ(desktop.MousePointer(), kPointerHourglass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  desktop.SetMousePointer(kPointerHourglass);  // the same pointer again stacks nothing
  desktop.SetMousePointer(kPointerDefault);
  EXPECT_EQ(desktop.MousePointer(), kPointerDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace tolvanex
