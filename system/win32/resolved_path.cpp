// ResolvedPath of the file layer: the path as the system names the file, links followed.
#include <windows.h>

#include <optional>
#include <string>

#include "system/file_io.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"

namespace tolvanex::io {

namespace {

// The full path of an open file or folder, without the "\\?\" that the system puts in front;
// no value when the system cannot tell it or the ANSI code page cannot hold it.
std::optional<std::string> FinalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                               FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return std::nullopt;
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(length);
  }
  std::wstring_view shown = path;
  if (shown.starts_with(L"\\\\?\\UNC\\")) {
    path = L"\\\\" + std::wstring(shown.substr(8));
  } else if (shown.starts_with(L"\\\\?\\")) {
    path = std::wstring(shown.substr(4));
  }
  std::string bytes;
  if (!win32::AnsiFromWideExactly(path, bytes)) return std::nullopt;
  return bytes;
}

std::optional<std::string> FinalPathOf(const std::string& path) {
  if (path.empty() || win32::NamesADevice(path)) return std::nullopt;
  win32::UniqueHandle file = win32::OpenToLookAt(path);
  if (!file.IsValid()) return std::nullopt;
  return FinalPathOf(file.Get());
}

}  // namespace

std::string ResolvedPath(const std::string& path) {
  if (auto resolved = FinalPathOf(path)) return *resolved;
  // Nothing under the name yet (or a link to nothing): its folder is resolved and the name kept.
  std::size_t separator = path.size();
  while (separator > 0 && !win32::IsSeparator(path[separator - 1])) --separator;
  if (separator == path.size() || win32::NamesADevice(path)) return path;
  std::string name = path.substr(separator);
  auto folder = FinalPathOf(FolderOfPath(path));
  if (!folder) return path;
  return win32::IsSeparator(folder->back()) ? *folder + name : *folder + "\\" + name;
}

}  // namespace tolvanex::io
