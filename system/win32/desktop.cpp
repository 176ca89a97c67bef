#include "system/desktop.h"

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "system/win32/command_line.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex {

namespace {

// Names of the session's named objects: one instance per user is one mutex per user.
constexpr std::string_view kMutexNamespace = "Local\\";

// The user's security identifier as text ("S-1-5-21-..."): unlike the user's name, it is the
// same for the user everywhere, and it is plain ASCII.
std::string UserIdentifier() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return std::string();
  win32::UniqueHandle owned(token);
  DWORD size = 0;
  ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::string buffer(size, '\0');
  if (size == 0 || !::GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
    return std::string();
  }
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
  wchar_t* text = nullptr;
  if (!::ConvertSidToStringSidW(user->User.Sid, &text)) return std::string();
  std::string identifier = win32::AnsiFromWide(text);
  ::LocalFree(text);
  return identifier;
}

bool IsMutexName(std::string_view path) {
  return path.starts_with(kMutexNamespace);
}

std::wstring CommandLineOf(const std::string& program, const std::string& argument) {
  return win32::QuotedArgument(win32::WideFromAnsi(program)) + L" " +
         win32::QuotedArgument(win32::WideFromAnsi(argument));
}

}  // namespace

// There is no runtime folder on Windows, and the user is known by a security identifier rather
// than a number: a runtime folder given is still used for a lock file, and otherwise the lock is
// a mutex of the session named after the user.
std::string LockFilePath(const char* runtimeFolder, unsigned long uid) {
  if (runtimeFolder != nullptr && *runtimeFolder != '\0') {
    std::string path(runtimeFolder);
    if (!win32::IsSeparator(path.back())) path += '\\';
    return path + "tolvanex.lock";
  }
  return std::string(kMutexNamespace) + "Tolvanex-" + std::to_string(uid);
}

std::string DefaultLockFilePath() {
  std::string user = UserIdentifier();
  if (user.empty()) user = win32::EnvironmentText(L"USERNAME");
  return std::string(kMutexNamespace) + "Tolvanex-" + user;
}

SingleInstanceLock::SingleInstanceLock(std::string path) : path_(std::move(path)) {}

bool SingleInstanceLock::Acquire() {
  if (Held()) return true;
  if (!IsMutexName(path_)) {
    // A lock file, where one is named: locked as on POSIX, never through a link.
    io::File file = io::OpenLockFile(path_);
    if (!file.TryLock()) return false;
    file_ = std::move(file);
    return true;
  }
  // The mutex lives as long as a handle to it is open; the system closes the handles of a
  // process that ends, however it ends. The handle is not inherited by the editor.
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, win32::WideFromAnsi(path_).c_str());
  if (mutex == nullptr) win32::ThrowLastError();
  bool opened = ::GetLastError() == ERROR_ALREADY_EXISTS;
  io::File held = io::File::Adopt(reinterpret_cast<std::intptr_t>(mutex), path_);
  // Opened, not created: another holder has it, in this process or another.
  if (opened) return false;
  file_ = std::move(held);
  return true;
}

std::string EditorProgram() {
  std::string chosen = win32::EnvironmentText(L"TOLVANEX_EDITOR");
  return chosen.empty() ? std::string("notepad") : chosen;
}

std::string EditorArgument(std::string_view path) {
  // "-x" and "/x" read as options to many programs; ".\-x" and "\x" are the same files.
  if (!path.empty() && path.front() == '-') return ".\\" + std::string(path);
  if (!path.empty() && path.front() == '/' && (path.size() < 2 || path[1] != '/')) {
    return "\\" + std::string(path.substr(1));
  }
  return std::string(path);
}

void StartDetached(const std::string& program, const std::string& argument) {
  // The program gets no console of this program's, a process group of its own, none of this
  // program's handles and is not waited for: it outlives the program, which keeps nothing of it.
  std::wstring commandLine = CommandLineOf(program, argument);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                        &started)) {
    win32::ThrowLastError();
  }
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
}

ProgramInfo ProgramInfoFromPath(std::string_view executablePath) {
  // What /proc gives for a replaced program, for paths written as POSIX gives them.
  constexpr std::string_view kDeletedSuffix = " (deleted)";
  if (executablePath.size() > kDeletedSuffix.size() && executablePath.ends_with(kDeletedSuffix)) {
    executablePath.remove_suffix(kDeletedSuffix.size());
  }
  ProgramInfo info;  // with this program's version
  std::string_view name = executablePath;
  std::size_t separator = executablePath.size();
  while (separator > 0 && !win32::IsSeparator(executablePath[separator - 1])) --separator;
  if (separator > 0) {
    std::size_t at = separator - 1;
    // The root of a drive keeps its separator: "C:\".
    bool root = at == 0 || (at == 2 && executablePath[1] == ':');
    info.Folder = std::string(executablePath.substr(0, root ? at + 1 : at));
    name = executablePath.substr(separator);
  }
  if (auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) {
    name = name.substr(0, dot);
  }
  info.Name = std::string(name);
  return info;
}

ProgramInfo RunningProgram() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) break;
    if (length < path.size()) {
      path.resize(length);
      return ProgramInfoFromPath(win32::AnsiFromWide(path));
    }
    path.resize(path.size() * 2);
  }
  wchar_t here[MAX_PATH] = {};
  DWORD length = ::GetCurrentDirectoryW(MAX_PATH, here);
  std::string folder = length > 0 && length < MAX_PATH ? win32::AnsiFromWide(here) + "\\" : "";
  return ProgramInfoFromPath(folder + "tolvanex");
}

std::string LocalTimestamp() {
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  TIME_ZONE_INFORMATION zone{};
  DWORD kind = ::GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias + (kind == TIME_ZONE_ID_DAYLIGHT   ? zone.DaylightBias
                           : kind == TIME_ZONE_ID_STANDARD ? zone.StandardBias
                                                           : 0);
  // The bias is what is added to the local time to give UTC: the offset has the other sign.
  LONG offset = -bias;
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02ld:%02ld", local.wYear,
                local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                offset < 0 ? '-' : '+', std::labs(offset) / 60, std::labs(offset) % 60);
  return text;
}

int LocalYear() {
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  return local.wYear;
}

}  // namespace tolvanex
