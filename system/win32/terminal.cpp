#include "system/terminal.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "system/standard_input.h"
#include "system/stop_requests.h"
#include "system/win32/handles.h"
#include "system/win32/stop_request_wakeup.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex {

namespace {

// A pipe cannot be waited for: how often it is looked at while a line is awaited (and the count
// of stop requests, by a wait that has no event for them).
constexpr DWORD kLookEveryMilliseconds = 20;
// A console read that Ctrl-C breaks off returns before the handler has counted the request.
constexpr std::chrono::milliseconds kRequestAfterBrokenRead{200};

DWORD StandardHandleNumber(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input:
      return STD_INPUT_HANDLE;
    case StandardStream::Output:
      return STD_OUTPUT_HANDLE;
    case StandardStream::Error:
      return STD_ERROR_HANDLE;
  }
  return STD_INPUT_HANDLE;
}

HANDLE StandardHandle(StandardStream stream) {
  HANDLE handle = ::GetStdHandle(StandardHandleNumber(stream));
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && ::GetConsoleMode(handle, &mode);
}

bool StopRequested(int stopRequestsSeen) {
  return StopRequestCount() > stopRequestsSeen;
}

enum class Wait { Input, StopRequest };

// Waits for a console to hold a key press that makes text, or for a new stop request. Other
// events (a key let go, the mouse, the window's size) are taken out of the way.
Wait WaitForConsole(HANDLE input, int stopRequestsSeen) {
  win32::StopRequestWakeup wakeup;
  HANDLE stop = wakeup.Event();
  for (;;) {
    if (StopRequested(stopRequestsSeen)) return Wait::StopRequest;
    HANDLE watched[2] = {input, stop};
    DWORD count = stop != nullptr ? 2 : 1;
    DWORD woke = ::WaitForMultipleObjects(count, watched, FALSE,
                                          stop != nullptr ? INFINITE : kLookEveryMilliseconds);
    if (woke == WAIT_FAILED) win32::ThrowLastError();
    if (StopRequested(stopRequestsSeen)) return Wait::StopRequest;
    if (woke != WAIT_OBJECT_0) continue;  // a request already seen, or a look at the count
    INPUT_RECORD event{};
    DWORD events = 0;
    if (!::PeekConsoleInputW(input, &event, 1, &events)) win32::ThrowLastError();
    if (events == 0) continue;
    if (event.EventType == KEY_EVENT && event.Event.KeyEvent.bKeyDown &&
        event.Event.KeyEvent.uChar.UnicodeChar != 0) {
      return Wait::Input;
    }
    if (!::ReadConsoleInputW(input, &event, 1, &events)) win32::ThrowLastError();
  }
}

// Waits for a pipe to hold a byte or to be closed, or for a new stop request.
Wait WaitForPipe(HANDLE input, int stopRequestsSeen) {
  win32::StopRequestWakeup wakeup;
  HANDLE stop = wakeup.Event();
  for (;;) {
    if (StopRequested(stopRequestsSeen)) return Wait::StopRequest;
    DWORD available = 0;
    // A closed pipe fails here; the read that follows tells the end of the input.
    if (!::PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr) || available > 0) {
      return Wait::Input;
    }
    if (stop != nullptr) {
      ::WaitForSingleObject(stop, kLookEveryMilliseconds);
    } else {
      ::Sleep(kLookEveryMilliseconds);
    }
  }
}

InputLine Stopped() {
  InputLine line;
  line.How = InputLine::End::StopRequest;
  return line;
}

// A console hands out a line once Enter ends it, in its own characters: they are read one by one
// as wide text, so that the rest of the line stays with the console, and the line is given in
// the ANSI code page. Ctrl-Z at the start of a line is the end of the input.
InputLine ReadConsoleLine(HANDLE input, int stopRequestsSeen) {
  if (WaitForConsole(input, stopRequestsSeen) == Wait::StopRequest) return Stopped();
  std::wstring text;
  bool endOfInput = false;
  for (;;) {
    wchar_t c = 0;
    DWORD got = 0;
    if (!::ReadConsoleW(input, &c, 1, &got, nullptr)) {
      if (DWORD error = ::GetLastError(); error != ERROR_OPERATION_ABORTED) {
        win32::ThrowWin32Error(error);
      }
      got = 0;
    }
    if (got == 0) {
      // Broken off by Ctrl-C, whose request the handler counts a moment later.
      if (WaitForStopRequest(stopRequestsSeen, kRequestAfterBrokenRead)) return Stopped();
      endOfInput = text.empty();
      break;
    }
    if (c == L'\n') break;
    if (c == 0x1A && text.empty()) endOfInput = true;
    text += c;
  }
  InputLine line;
  if (endOfInput) return line;
  if (!text.empty() && text.back() == L'\r') text.pop_back();
  line.How = InputLine::End::Line;
  line.Text = win32::AnsiFromWide(text);
  return line;
}

}  // namespace

void OpenMissingStandardStreams() {
  for (StandardStream stream :
       {StandardStream::Input, StandardStream::Output, StandardStream::Error}) {
    if (StandardHandle(stream) != nullptr) continue;
    DWORD access = stream == StandardStream::Input ? GENERIC_READ : GENERIC_WRITE;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE null = ::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                OPEN_EXISTING, 0, nullptr);
    if (null == INVALID_HANDLE_VALUE) win32::ThrowLastError();
    if (!::SetStdHandle(StandardHandleNumber(stream), null)) {
      DWORD error = ::GetLastError();
      ::CloseHandle(null);
      win32::ThrowWin32Error(error);
    }
  }
}

void TakeClosedPipesAsWriteErrors() {}

bool IsTerminal(StandardStream stream) {
  return IsConsole(StandardHandle(stream));
}

int TerminalColumns(StandardStream stream) {
  HANDLE handle = StandardHandle(stream);
  if (!IsConsole(handle)) return 0;
  // Console input has no width of its own: the console's screen has.
  win32::UniqueHandle screen;
  if (stream == StandardStream::Input) {
    screen = win32::UniqueHandle(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
    if (!screen.IsValid()) return 0;
    handle = screen.Get();
  }
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!::GetConsoleScreenBufferInfo(handle, &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

namespace standard_input {

std::optional<InputLine> ReadWholeLine(int stopRequestsSeen) {
  HANDLE input = StandardHandle(StandardStream::Input);
  if (input == nullptr) return InputLine();  // closed: the end of the input
  if (IsConsole(input)) return ReadConsoleLine(input, stopRequestsSeen);
  return std::nullopt;
}

bool WaitForByte(int stopRequestsSeen) {
  HANDLE input = StandardHandle(StandardStream::Input);
  if (::GetFileType(input) == FILE_TYPE_PIPE) {
    return WaitForPipe(input, stopRequestsSeen) == Wait::Input;
  }
  // A file holds its bytes, or is at its end, at once.
  return !StopRequested(stopRequestsSeen);
}

ByteRead ReadByte(char& byte) {
  DWORD got = 0;
  if (!::ReadFile(StandardHandle(StandardStream::Input), &byte, 1, &got, nullptr)) {
    DWORD error = ::GetLastError();
    if (error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF && error != ERROR_INVALID_HANDLE) {
      win32::ThrowWin32Error(error);
    }
    got = 0;
  }
  return got > 0 ? ByteRead::Byte : ByteRead::EndOfInput;
}

}  // namespace standard_input

}  // namespace tolvanex
