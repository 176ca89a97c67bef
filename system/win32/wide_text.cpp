#include "system/win32/wide_text.h"

#include <windows.h>

#include <climits>

#include "system/win32/win32_error.h"

namespace tolvanex::win32 {

namespace {

int LengthOf(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) ThrowWin32Error(ERROR_BUFFER_OVERFLOW);
  return static_cast<int>(size);
}

}  // namespace

std::wstring WideFromAnsi(std::string_view text) {
  if (text.empty()) return std::wstring();
  int length = LengthOf(text.size());
  int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) ThrowLastError();
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  if (::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed) != needed) {
    ThrowLastError();
  }
  return wide;
}

std::string AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return std::string();
  int length = LengthOf(text.size());
  int needed = ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) ThrowLastError();
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  if (::WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), needed, nullptr,
                            nullptr) != needed) {
    ThrowLastError();
  }
  return bytes;
}

bool AnsiFromWideExactly(std::wstring_view text, std::string& bytes) {
  bytes.clear();
  if (text.empty()) return true;
  int length = LengthOf(text.size());
  BOOL lossy = FALSE;
  int needed = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                     nullptr, &lossy);
  if (needed <= 0 || lossy) return false;
  bytes.resize(static_cast<std::size_t>(needed));
  if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), needed,
                            nullptr, &lossy) != needed ||
      lossy) {
    bytes.clear();
    return false;
  }
  return true;
}

std::string EnvironmentText(const wchar_t* name) {
  DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return std::string();
  std::wstring value(needed, L'\0');
  DWORD length = ::GetEnvironmentVariableW(name, value.data(), needed);
  if (length == 0 || length >= needed) return std::string();
  value.resize(length);
  std::string bytes;
  return AnsiFromWideExactly(value, bytes) ? bytes : std::string();
}

}  // namespace tolvanex::win32
