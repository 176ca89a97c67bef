// tolvanex.exe under Wine, driven from outside through the messages a user's actions send: the
// window's controls at start-up, a conversion with the site prompt answered, Cancel, the two
// pickers, About, and the settings written when the window closes. Menus, moves and sizes
// during a run: window_run_test.cpp.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/win32/control_ids.h"
#include "system/version.h"
#include "system/win32/wide_text.h"
#include "tests/app/win32/example_window.h"
#include "tests/app/win32/window_driver.h"
#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

namespace tolvanex::testing {
namespace {

// The files of a folder, name and contents, in name order.
std::vector<std::pair<std::string, std::string>> FilesIn(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& name : NamesIn(folder)) {
    files.emplace_back(name, ReadFile(folder + "\\" + name));
  }
  return files;
}

TEST_F(WindowTest, OpensWithEachControlShowingTheSettings) {
  WindowUnderTest window(program_, folder_.Path());
  EXPECT_EQ(WindowText(window.Main()), "Tolvanex");
  const std::pair<int, const char*> captions[] = {
      {IDC_LABEL1_1, "Sondrel file:"},
      {IDC_LABEL1_0, "Folder:"},
      {IDC_LABEL1_3, "Lookup file:"},
      {IDC_LABEL1_5, "Post File:"},
      {IDC_LABEL1_2, "Folder:"},
      {IDC_LABEL1_6, "File Extension:"},
      {IDC_LABEL1_8, "Date format:"},
      {IDC_LABEL1_4, "Files:"},
      {IDC_CHK_OUTPUTPOSTFILE, "Output Post files"},
      {IDC_CHK_SORTLOOKUP, "Sort"},
      {IDC_CHK_OUTPUTTEXTFILES, "Output text files for each site"},
      {IDC_CMD_GETFILE_0, "..."},
      {IDC_CMD_GETFOLDER_1, "..."},
      {IDC_CMD_EDIT_0, "edit"},
      {IDC_CMD_EDIT_3, "edit"},
      {IDC_CMD_EXPORT, "&Process"},
      {IDC_CMD_CLOSE, "Exit"},
  };
  for (auto [id, caption] : captions) EXPECT_EQ(window.Text(id), caption) << id;

  EXPECT_EQ(window.Text(IDC_TXT_FILE_0), folder_ / "SdStation3.dat");
  EXPECT_EQ(window.Text(IDC_TXT_FILE_1), folder_ / "sites.lkp");
  EXPECT_EQ(window.Text(IDC_LBL_FOLDER_0), folder_ / "post");
  EXPECT_EQ(window.Text(IDC_LBL_FOLDER_1), folder_ / "text");
  EXPECT_EQ(window.Text(IDC_TXT_EXTENSION), "txt");
  EXPECT_EQ(window.Text(IDC_CMB_DATEFORMAT), "d mmm yyyy HH:MM");
  EXPECT_EQ(window.Send(IDC_CMB_DATEFORMAT, CB_GETCOUNT), 4);
  for (int box : {IDC_CHK_OUTPUTPOSTFILE, IDC_CHK_SORTLOOKUP, IDC_CHK_OUTPUTTEXTFILES}) {
    EXPECT_EQ(window.Send(box, BM_GETCHECK), BST_CHECKED) << box;
  }
  EXPECT_EQ(window.Send(IDC_LST_FILES, LB_GETCOUNT), 0);

  // Nothing is listed and nothing written yet: those two edit buttons wait for a file.
  EXPECT_TRUE(window.Enabled(IDC_CMD_EDIT_0));
  EXPECT_TRUE(window.Enabled(IDC_CMD_EDIT_1));
  EXPECT_FALSE(window.Enabled(IDC_CMD_EDIT_2));
  EXPECT_FALSE(window.Enabled(IDC_CMD_EDIT_3));
  EXPECT_TRUE(window.Enabled(IDC_CMD_EXPORT));
  EXPECT_FALSE(::IsWindowVisible(window.Control(IDC_RUN_PROGRESS)));
  EXPECT_NE(::GetMenu(window.Main()), nullptr);
}

TEST_F(WindowTest, ProcessConvertsTheExampleWithTheSitePromptAnswered) {
  WindowUnderTest window(program_, folder_.Path());
  window.Press(IDC_CMD_EXPORT);
  // The example has one pair that the lookup file lacks.
  HWND prompt = window.WaitForBox("Enter site number");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(prompt, IDC_INPUT_TEXT)), "9999");
  EXPECT_NE(WindowText(::GetDlgItem(prompt, IDC_INPUT_PROMPT)).find("517"), std::string::npos);
  // The run waits for the answer: only its own button is left to press.
  EXPECT_EQ(window.Text(IDC_CMD_EXPORT), "&Cancel");
  EXPECT_FALSE(window.Enabled(IDC_TXT_FILE_0));
  EXPECT_FALSE(window.Enabled(IDC_CMD_CLOSE));
  ::SetDlgItemTextW(prompt, IDC_INPUT_TEXT, L"4300");
  ::PostMessageW(prompt, WM_COMMAND, IDOK, 0);

  ASSERT_TRUE(WaitUntil([&] { return window.Text(IDC_LBL_STATUS).starts_with("Finished"); }));
  EXPECT_EQ(window.Text(IDC_CMD_EXPORT), "&Process");
  EXPECT_TRUE(window.Enabled(IDC_TXT_FILE_0));
  EXPECT_TRUE(window.Enabled(IDC_CMD_EDIT_3));
  // A row for each reading written to a text file.
  EXPECT_GE(window.Send(IDC_LST_FILES, LB_GETCOUNT), 40);

  // The batch command, given the same answer, reports and writes the same.
  TempFolder batchFolder;
  PrepareExample(batchFolder);
  ProcessResult batch =
      RunProcess(TOLVANEX_BATCH, {"--settings", batchFolder / "tolvanex.ini"}, "4300\n");
  ASSERT_EQ(batch.ExitStatus, 0) << batch.Err;
  EXPECT_EQ(window.Text(IDC_LBL_STATUS) + "\n", batch.Out);
  EXPECT_EQ(FilesIn(folder_ / "post"), FilesIn(batchFolder / "post"));
  EXPECT_EQ(FilesIn(folder_ / "text"), FilesIn(batchFolder / "text"));
  EXPECT_EQ(ReadFile(folder_ / "sites.lkp"), ReadFile(batchFolder / "sites.lkp"));
  EXPECT_NE(ReadFile(folder_ / "sites.lkp").find("517, 2, 4300"), std::string::npos);
  std::vector<std::string> posted = NamesIn(folder_ / "post");
  ASSERT_FALSE(posted.empty());
  EXPECT_EQ(window.Text(IDC_LBL_FILE_0), (folder_ / "post") + "\\" + posted.back());
}

TEST_F(WindowTest, CancelEndsALongRunAfterTheLineInHand) {
  // Enough readings of known sites that the run is still going when Cancel is pressed.
  constexpr int kMinutes = 200000;
  WriteFile(folder_ / "SdStation3.dat", LongDataFile(kMinutes));
  WriteFile(folder_ / "sites.lkp", ReadFile(folder_ / "sites.lkp") + "517, 2, 4300\n");
  // A short double-click time (the prefix is the tests' own), so that the run is still going
  // when the click after it is taken.
  UINT doubleClick = ::GetDoubleClickTime();
  ::SetDoubleClickTime(100);
  struct Restore {
    UINT time;
    ~Restore() { ::SetDoubleClickTime(time); }
  } restore{doubleClick};

  WindowUnderTest window(program_, folder_.Path());
  window.Press(IDC_CMD_EXPORT);
  ASSERT_TRUE(WaitUntil([&] { return window.Text(IDC_CMD_EXPORT) == "&Cancel"; }));
  EXPECT_TRUE(::IsWindowVisible(window.Control(IDC_RUN_PROGRESS)));
  // A second click within the double-click time is taken for a double click, not for Cancel.
  std::this_thread::sleep_for(std::chrono::milliseconds(::GetDoubleClickTime() + 200));
  window.Press(IDC_CMD_EXPORT);
  ASSERT_TRUE(WaitUntil([&] { return window.Text(IDC_CMD_EXPORT) == "&Process"; }));
  std::string status = window.Text(IDC_LBL_STATUS);
  ASSERT_TRUE(status.starts_with("Finished - posted ")) << status;
  EXPECT_GT(std::stoll(status.substr(18)), 0);
  // The pair's text file has a line a minute: the run stopped short of the last minute.
  std::string lines = ReadFile((folder_ / "text") + "\\2031_7.txt");
  auto count = std::count(lines.begin(), lines.end(), '\n');
  EXPECT_GT(count, 0);
  EXPECT_LT(count, kMinutes);
}

TEST_F(WindowTest, ThePickersOpenAndACancelChangesNothing) {
  WindowUnderTest window(program_, folder_.Path());
  window.Press(IDC_CMD_GETFILE_0);
  HWND open = window.WaitForBox("Open");
  ASSERT_NE(open, nullptr);
  // The file types offered, the data files first.
  HWND types = ::GetDlgItem(open, cmb1);
  EXPECT_EQ(::SendMessageW(types, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(::SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
  wchar_t first[64] = {};
  ::SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_EQ(std::wstring(first), L"Sondrel files (Sd*.dat)");
  ::PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(open); }));
  EXPECT_EQ(window.Text(IDC_TXT_FILE_0), folder_ / "SdStation3.dat");

  window.Press(IDC_CMD_GETFOLDER_1);
  HWND picker = window.WaitForBox([](HWND box) {
    for (const std::string& text : ChildTexts(box)) {
      if (text == "Locate a folder for Folder for output files") return true;
    }
    return false;
  });
  ASSERT_NE(picker, nullptr);
  ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(picker); }));
  EXPECT_EQ(window.Text(IDC_LBL_FOLDER_1), folder_ / "text");
  // The window takes input again.
  EXPECT_TRUE(::IsWindowEnabled(window.Main()));
}

TEST_F(WindowTest, AboutNamesTheVersion) {
  WindowUnderTest window(program_, folder_.Path());
  window.Press(IDM_HELP_0);
  HWND about = window.WaitForBox("Quenbury");
  ASSERT_NE(about, nullptr);
  bool named = false;
  for (const std::string& text : ChildTexts(about)) {
    named = named || text.find("Version " + VersionText()) != std::string::npos;
  }
  EXPECT_TRUE(named);
  ::PostMessageW(about, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
}

TEST_F(WindowTest, OpensWhereItWasClosedAtTheSizeItHad) {
  RECT closedAt{};
  {
    WindowUnderTest window(program_, folder_.Path());
    ::SetWindowPos(window.Main(), nullptr, 130, 90, 700, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] {
      ::GetWindowRect(window.Main(), &closedAt);
      return closedAt.left == 130 && closedAt.right - closedAt.left == 700;
    }));
    ::PostMessageW(window.Main(), WM_CLOSE, 0, 0);
    ASSERT_EQ(window.WaitForExit(), 0u);
  }
  EXPECT_NE(ReadFile(folder_ / "tolvanex.ini").find("[Window]"), std::string::npos);
  WindowUnderTest window(program_, folder_.Path());
  RECT openedAt{};
  ::GetWindowRect(window.Main(), &openedAt);
  EXPECT_EQ(openedAt.left, closedAt.left);
  EXPECT_EQ(openedAt.top, closedAt.top);
  EXPECT_EQ(openedAt.right, closedAt.right);
  EXPECT_EQ(openedAt.bottom, closedAt.bottom);
}

TEST_F(WindowTest, ASecondWindowSaysTheFirstIsRunningAndEnds) {
  WindowUnderTest first(program_, folder_.Path());
  WindowUnderTest second(program_, folder_.Path(), {}, false);
  HWND box = second.WaitForBox([](HWND window) {
    std::vector<std::string> texts = ChildTexts(window);
    return std::find(texts.begin(), texts.end(), "tolvanex is already running") != texts.end();
  });
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "Tolvanex");
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(second.WaitForExit(), 0u);
  // The first window goes on.
  EXPECT_TRUE(::IsWindowVisible(first.Main()));
}

// A line break would split every line of the text files: a paste cannot leave one in the date
// format.
TEST_F(WindowTest, ALineBreakIsTakenOutOfTheDateFormatAtOnce) {
  WindowUnderTest window(program_, folder_.Path());
  HWND field = ::FindWindowExW(window.Control(IDC_CMB_DATEFORMAT), nullptr, L"Edit", nullptr);
  ASSERT_NE(field, nullptr);
  // What a paste puts in: the text replaces the selection, here all of it.
  ::SendMessageW(field, EM_SETSEL, 0, -1);
  ::SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"yyyy\r\nmm\rdd"));
  EXPECT_TRUE(WaitUntil([&] { return window.Text(IDC_CMB_DATEFORMAT) == "yyyymmdd"; }))
      << window.Text(IDC_CMB_DATEFORMAT);
}

TEST_F(WindowTest, ClosingWritesTheNineSettings) {
  WindowUnderTest window(program_, folder_.Path());
  window.SetText(IDC_TXT_EXTENSION, "csv");
  window.Press(IDC_CHK_SORTLOOKUP);
  ASSERT_TRUE(
      WaitUntil([&] { return window.Send(IDC_CHK_SORTLOOKUP, BM_GETCHECK) == BST_UNCHECKED; }));
  ::PostMessageW(window.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(window.WaitForExit(), 0u);

  std::string settings = ReadFile(folder_ / "tolvanex.ini");
  for (const char* key :
       {"DataFile=", "OutputPostFile=1", "PostFolder=", "LookupFile=", "SortLookup=0",
        "OutputTextFile=1", "Extension=csv", "OutputFolder=", "DateFormat=d mmm yyyy HH:MM"}) {
    EXPECT_NE(settings.find(key), std::string::npos) << key << " in\n" << settings;
  }
}

}  // namespace
}  // namespace tolvanex::testing
