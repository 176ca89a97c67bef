// tolvanex.exe under Wine while a run goes on its own thread: neither a menu that is open nor
// the system's loop that moves or sizes the window holds the run. Each run first waits for
// another run's lock on the post folder, as it would for a batch job's, so that it is surely still
// going while the test opens the menu or the loop; the lock let go, the run reaches its end while
// the menu or the loop is still open.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "app/win32/control_ids.h"
#include "core/run_locks.h"
#include "system/file_io.h"
#include "tests/app/win32/example_window.h"
#include "tests/app/win32/window_driver.h"
#include "tests/support/temp_folder.h"

namespace tolvanex::testing {
namespace {

// A hang is the fault looked for here, not the speed of the run.
constexpr std::chrono::seconds kRunBound{60};
const std::string kRunEnd = "Finished - posted 200000 readings to 1 post file(s)";

// The modes that a menu or a move puts the window's thread in (GUI_INMENUMODE, GUI_INMOVESIZE),
// as the system tells them to another process.
DWORD ModesOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return 0;
  return info.flags;
}

RECT Where(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

// A key pressed, as the window's thread finds it in its queue.
void PostKey(HWND window, WPARAM key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
}

// 200 000 readings of one pair that the example's lookup file knows, into one post file and no
// text files, while another run holds the post folder.
class HeldRun : public WindowTest {
 protected:
  HeldRun() {
    WriteFile(folder_ / "SdStation3.dat", OnePairDataFile(200000));
    std::string settings = ReadFile(folder_ / "tolvanex.ini");
    const std::string textFiles = "OutputTextFile=1";
    settings.replace(settings.find(textFiles), textFiles.size(), "OutputTextFile=0");
    WriteFile(folder_ / "tolvanex.ini", settings);
    otherRun_ = io::OpenLockFile(folder_ / (std::string("post/") + kLockFileName));
    EXPECT_TRUE(otherRun_.TryLock());
  }

  // Presses Process: the run starts and waits for the other one.
  static void StartRun(const WindowUnderTest& window) {
    window.Press(IDC_CMD_EXPORT);
    ASSERT_TRUE(WaitUntil([&] {
      return window.Text(IDC_LBL_STATUS).starts_with("Waiting for another run");
    })) << window.Text(IDC_LBL_STATUS);
  }

  // Once the window's thread is in the mode (its menu open, or in the loop), the other run ends;
  // the window's run then reaches its end before the mode is left.
  void ExpectRunToEndWithin(const WindowUnderTest& window, DWORD mode) {
    ASSERT_TRUE(WaitUntil([&] { return (ModesOf(window.Main()) & mode) != 0; }))
        << "the menu or the loop did not open";
    EXPECT_EQ(window.Text(IDC_CMD_EXPORT), "&Cancel");
    otherRun_.Close();
    EXPECT_TRUE(WaitUntil([&] { return window.Text(IDC_LBL_STATUS) == kRunEnd; }, kRunBound))
        << window.Text(IDC_LBL_STATUS);
    EXPECT_NE(ModesOf(window.Main()) & mode, 0u) << "the menu or the loop closed first";
    EXPECT_EQ(window.Text(IDC_CMD_EXPORT), "&Process");
  }

  // The window closes as its close box closes it: the settings saved, the program ended.
  static void ExpectToClose(WindowUnderTest& window) {
    ::PostMessageW(window.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.WaitForExit(), 0u);
  }

  io::File otherRun_;
};

// Alt or F10, Alt+F, a click on the bar, Alt+Space and the title bar's menu during a run.
TEST_F(HeldRun, GoesOnWhenTheMenusAreAskedFor) {
  WindowUnderTest window(program_, folder_.Path());
  HWND main = window.Main();
  StartRun(window);
  ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 0);
  ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
  ::PostMessageW(main, WM_SYSCOMMAND, SC_MOUSEMENU, 0);
  ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  RECT at = Where(main);
  ::PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main),
                 MAKELPARAM(at.left + 60, at.top + ::GetSystemMetrics(SM_CYCAPTION) / 2));
  otherRun_.Close();
  EXPECT_TRUE(WaitUntil([&] { return window.Text(IDC_LBL_STATUS) == kRunEnd; }, kRunBound))
      << window.Text(IDC_LBL_STATUS);
  EXPECT_EQ(window.Text(IDC_CMD_EXPORT), "&Process");
  // Whichever menu is still open, the window takes the close request.
  ExpectToClose(window);
}

// Moved and sized from outside during the run, then its own menu open (Alt+Space) as it ends.
TEST_F(HeldRun, EndsWhileTheWindowsMenuIsOpenAfterAMoveAndAResize) {
  WindowUnderTest window(program_, folder_.Path());
  HWND main = window.Main();
  StartRun(window);
  RECT before = Where(main);
  ::SetWindowPos(main, nullptr, before.left + 40, before.top + 30, before.right - before.left + 60,
                 before.bottom - before.top + 40, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT after = Where(main);
  EXPECT_EQ(after.left, before.left + 40);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 40);

  ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  ExpectRunToEndWithin(window, GUI_INMENUMODE);
  // Escape shuts the menu, and a second one leaves the bar.
  PostKey(main, VK_ESCAPE);
  PostKey(main, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return (ModesOf(main) & GUI_INMENUMODE) == 0; }));
  ExpectToClose(window);
}

// The system's own loop of a move or a size, entered from the window's menu and led by the
// keyboard.
class HeldRunInLoop : public HeldRun, public ::testing::WithParamInterface<WPARAM> {};

TEST_P(HeldRunInLoop, EndsWhileTheSystemsLoopMovesOrSizesTheWindow) {
  WindowUnderTest window(program_, folder_.Path());
  HWND main = window.Main();
  StartRun(window);
  RECT before = Where(main);
  ::PostMessageW(main, WM_SYSCOMMAND, GetParam(), 0);
  // A size begins with the edge to move: the right one.
  if (GetParam() == SC_SIZE) PostKey(main, VK_RIGHT);
  ExpectRunToEndWithin(window, GUI_INMOVESIZE);
  // The loop still takes its keys: right moves the window, or its right edge, 8 pixels.
  PostKey(main, VK_RIGHT);
  EXPECT_TRUE(WaitUntil([&] { return Where(main).right == before.right + 8; }));
  PostKey(main, VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return (ModesOf(main) & GUI_INMOVESIZE) == 0; }));
  RECT after = Where(main);
  EXPECT_EQ(after.left, before.left + (GetParam() == SC_MOVE ? 8 : 0));
  EXPECT_EQ(after.right, before.right + 8);
  ExpectToClose(window);
}

INSTANTIATE_TEST_SUITE_P(MoveAndSize, HeldRunInLoop, ::testing::Values(SC_MOVE, SC_SIZE),
                         [](const ::testing::TestParamInfo<WPARAM>& info) {
                           return std::string(info.param == SC_MOVE ? "Move" : "Size");
                         });

// A close request while the window's menu is open or its loop goes, during a run: the run ends
// after its line (here, its wait), the menu or the loop with it, and the program ends.
class HeldRunClosed : public HeldRun, public ::testing::WithParamInterface<WPARAM> {};

TEST_P(HeldRunClosed, WithTheMenuOrTheLoopOpenTheProgramEnds) {
  WindowUnderTest window(program_, folder_.Path());
  HWND main = window.Main();
  StartRun(window);
  ::PostMessageW(main, WM_SYSCOMMAND, GetParam(), ' ');
  ASSERT_TRUE(WaitUntil([&] { return (ModesOf(main) & (GUI_INMENUMODE | GUI_INMOVESIZE)) != 0; }));
  ExpectToClose(window);
}

INSTANTIATE_TEST_SUITE_P(MenuAndMove, HeldRunClosed, ::testing::Values(SC_KEYMENU, SC_MOVE),
                         [](const ::testing::TestParamInfo<WPARAM>& info) {
                           return std::string(info.param == SC_MOVE ? "Move" : "Menu");
                         });

}  // namespace
}  // namespace tolvanex::testing
