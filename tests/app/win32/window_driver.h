// Drives tolvanex.exe from outside, as a user would: started in a folder of its own, its window
// and boxes found among the process's windows, controls read and pressed through messages.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tolvanex::testing {

class WindowUnderTest {
 public:
  // Starts the program in its folder with the arguments and waits for its window, unless told
  // that the program opens none.
  WindowUnderTest(const std::string& program, const std::string& folder,
                  const std::vector<std::string>& arguments = {}, bool opensWindow = true);
  WindowUnderTest(const WindowUnderTest&) = delete;
  WindowUnderTest& operator=(const WindowUnderTest&) = delete;
  // Ends a program that a failed test left running.
  ~WindowUnderTest();

  HWND Main() const { return main_; }
  HWND Control(int id) const { return ::GetDlgItem(main_, id); }
  std::string Text(int id) const;
  bool Enabled(int id) const { return ::IsWindowEnabled(Control(id)) != FALSE; }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(Control(id), message, wParam, lParam);
  }
  // A click on a button, or the choice of a menu item, as the window receives it.
  void Press(int id) const;
  void SetText(int id, const std::string& text) const;

  // A top-level window of the program other than the main window, such as a box or a dialog,
  // whose title is the given one, or of which the test holds; waits for it. None when it does
  // not appear.
  HWND WaitForBox(const std::string& title) const;
  HWND WaitForBox(const std::function<bool(HWND)>& test) const;
  // Waits until the program has ended; its exit code.
  DWORD WaitForExit();

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// Waits until the condition holds; false when it still does not after the timeout.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The text of a window.
std::string WindowText(HWND window);
// The texts of a window's children, in their order.
std::vector<std::string> ChildTexts(HWND window);

}  // namespace tolvanex::testing
