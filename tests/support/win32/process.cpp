#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <thread>

#include "system/win32/command_line.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"
#include "tests/support/process.h"

namespace tolvanex::testing {

namespace {

using win32::UniqueHandle;

struct Pipe {
  UniqueHandle Read;
  UniqueHandle Write;
};

// A pipe whose one end the child inherits; this process's end stays its own.
Pipe MakePipe(bool childReads) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!::CreatePipe(&read, &write, &inherited, 0)) win32::ThrowLastError();
  Pipe pipe{UniqueHandle(read), UniqueHandle(write)};
  HANDLE own = childReads ? write : read;
  if (!::SetHandleInformation(own, HANDLE_FLAG_INHERIT, 0)) win32::ThrowLastError();
  return pipe;
}

// This process's environment with the given variables set on top, sorted by name as Windows
// keeps it, as one block of "NAME=value" texts each ended by a NUL, with a NUL at its end.
std::wstring EnvironmentBlock(const std::map<std::string, std::string>& environment) {
  std::vector<std::wstring> entries;
  wchar_t* own = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = own; entry != nullptr && *entry != L'\0';
       entry += std::wcslen(entry) + 1) {
    std::wstring_view text(entry);
    // A name may start with "=" (the current folders of the drives): its end is a later "=".
    std::wstring_view name = text.substr(0, text.find(L'=', 1));
    bool replaced = std::any_of(environment.begin(), environment.end(), [&](const auto& given) {
      std::wstring givenName = win32::WideFromAnsi(given.first);
      return ::CompareStringOrdinal(name.data(), static_cast<int>(name.size()), givenName.data(),
                                    static_cast<int>(givenName.size()), TRUE) == CSTR_EQUAL;
    });
    if (!replaced) entries.emplace_back(text);
  }
  if (own != nullptr) ::FreeEnvironmentStringsW(own);
  for (const auto& [name, value] : environment) {
    entries.push_back(win32::WideFromAnsi(name + "=" + value));
  }
  std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
  });
  std::wstring block;
  for (const std::wstring& entry : entries) {
    block += entry;
    block += L'\0';
  }
  block += L'\0';
  return block;
}

// Everything that comes through the pipe until the child closes it.
void ReadAll(HANDLE from, std::string& into) {
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0)
    into.append(buffer, got);
}

// The child inherits its three standard handles and no other handle of this process, so that a
// test's pipes reach no other test's child.
class InheritedHandles {
 public:
  explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!::InitializeProcThreadAttributeList(list_, 1, 0, &size)) win32::ThrowLastError();
    if (!::UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                     handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
      DWORD error = ::GetLastError();
      ::DeleteProcThreadAttributeList(list_);
      win32::ThrowWin32Error(error);
    }
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;
  ~InheritedHandles() { ::DeleteProcThreadAttributeList(list_); }
  LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return list_; }

 private:
  std::vector<HANDLE> handles_;
  std::vector<char> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

std::string WithoutCarriageReturns(const std::string& text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i];
  }
  return lines;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input,
                         const std::map<std::string, std::string>& environment) {
  std::wstring commandLine = win32::QuotedArgument(win32::WideFromAnsi(program));
  for (const std::string& argument : arguments) {
    commandLine += L' ';
    commandLine += win32::QuotedArgument(win32::WideFromAnsi(argument));
  }
  std::wstring block = EnvironmentBlock(environment);

  Pipe in = MakePipe(true);
  Pipe out = MakePipe(false);
  Pipe err = MakePipe(false);
  InheritedHandles inherited({in.Read.Get(), out.Write.Get(), err.Write.Get()});
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = in.Read.Get();
  startup.StartupInfo.hStdOutput = out.Write.Get();
  startup.StartupInfo.hStdError = err.Write.Get();
  startup.lpAttributeList = inherited.Get();
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                        EXTENDED_STARTUPINFO_PRESENT | CREATE_UNICODE_ENVIRONMENT, block.data(),
                        nullptr, &startup.StartupInfo, &started)) {
    throw std::runtime_error("cannot start " + program + ": " +
                             win32::SystemMessage(::GetLastError()));
  }
  UniqueHandle process(started.hProcess);
  ::CloseHandle(started.hThread);
  // The child's ends are the child's alone now: each pipe ends when the child closes its end.
  in.Read = UniqueHandle();
  out.Write = UniqueHandle();
  err.Write = UniqueHandle();

  // Input and both outputs go at once, so that a child that fills one pipe while this process
  // waits on another cannot hold both.
  ProcessResult result;
  std::thread writer([&in, &input] {
    std::string_view rest = input;
    DWORD written = 0;
    while (!rest.empty() &&
           ::WriteFile(in.Write.Get(), rest.data(),
                       static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1 << 16)), &written,
                       nullptr)) {
      rest.remove_prefix(written);
    }
    in.Write = UniqueHandle();
  });
  std::thread errors([&err, &result] { ReadAll(err.Read.Get(), result.Err); });
  ReadAll(out.Read.Get(), result.Out);
  errors.join();
  writer.join();
  ::WaitForSingleObject(process.Get(), INFINITE);
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.Get(), &exitCode);
  result.ExitStatus = static_cast<int>(exitCode);
  // Text as a reader in text mode takes it: the program's CR LF line ends read as LF.
  result.Out = WithoutCarriageReturns(result.Out);
  result.Err = WithoutCarriageReturns(result.Err);
  return result;
}

void SetEnvironment(const char* name, const char* value) {
  // The C runtime's copy of the environment, which getenv reads, and the system's, which a
  // started process inherits, both change.
  _putenv_s(name, value == nullptr ? "" : value);
  SetEnvironmentVariableA(name, value);
}

}  // namespace tolvanex::testing
