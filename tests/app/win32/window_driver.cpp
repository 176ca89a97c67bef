#include "tests/app/win32/window_driver.h"

#include <stdexcept>
#include <thread>

#include "app/win32/control_ids.h"
#include "system/win32/command_line.h"
#include "system/win32/wide_text.h"

namespace tolvanex::testing {

namespace {

struct Search {
  DWORD process;
  const std::function<bool(HWND)>& test;
  HWND except;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || window == search.except || !::IsWindowVisible(window)) {
    return TRUE;
  }
  if (!search.test(window)) return TRUE;
  search.found = window;
  return FALSE;
}

HWND FindWindowOf(DWORD process, const std::function<bool(HWND)>& test, HWND except) {
  Search search{process, test, except, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::function<bool(HWND)> Titled(const std::string& title) {
  return [title](HWND window) { return WindowText(window) == title; };
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string WindowText(HWND window) {
  // A message, not GetWindowTextW, which gives only the title that a window of another process
  // was made with, not the text a text box holds now.
  auto length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return win32::AnsiFromWide(text);
}

std::vector<std::string> ChildTexts(HWND window) {
  std::vector<std::string> texts;
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(data)->push_back(WindowText(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

WindowUnderTest::WindowUnderTest(const std::string& program, const std::string& folder,
                                 const std::vector<std::string>& arguments, bool opensWindow) {
  std::wstring commandLine = win32::QuotedArgument(win32::WideFromAnsi(program));
  for (const std::string& argument : arguments) {
    commandLine += L" " + win32::QuotedArgument(win32::WideFromAnsi(argument));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        win32::WideFromAnsi(folder).c_str(), &startup, &process_)) {
    throw std::runtime_error("cannot start " + program);
  }
  if (!opensWindow) return;
  bool shown = WaitUntil([this] {
    HWND found = FindWindowOf(process_.dwProcessId, Titled("Tolvanex"), nullptr);
    // The main window is the one with the run button; a message box has the same title.
    if (found != nullptr && ::GetDlgItem(found, IDC_CMD_EXPORT) != nullptr) main_ = found;
    return main_ != nullptr;
  });
  if (!shown) throw std::runtime_error("the window of " + program + " did not appear");
}

WindowUnderTest::~WindowUnderTest() {
  if (process_.hProcess == nullptr) return;
  if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.hProcess, 99);
    ::WaitForSingleObject(process_.hProcess, 10000);
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

std::string WindowUnderTest::Text(int id) const {
  wchar_t text[1024] = {};
  ::GetDlgItemTextW(main_, id, text, 1024);
  return win32::AnsiFromWide(text);
}

void WindowUnderTest::Press(int id) const {
  HWND control = Control(id);
  ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void WindowUnderTest::SetText(int id, const std::string& text) const {
  ::SendMessageW(Control(id), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(win32::WideFromAnsi(text).c_str()));
}

HWND WindowUnderTest::WaitForBox(const std::string& title) const {
  return WaitForBox(Titled(title));
}

HWND WindowUnderTest::WaitForBox(const std::function<bool(HWND)>& test) const {
  HWND box = nullptr;
  WaitUntil([&] {
    box = FindWindowOf(process_.dwProcessId, test, main_);
    return box != nullptr;
  });
  return box;
}

DWORD WindowUnderTest::WaitForExit() {
  if (::WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

}  // namespace tolvanex::testing
