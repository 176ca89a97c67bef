#include "system/folders.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "system/file_io.h"
#include "system/win32/folder_listing.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"

namespace tolvanex {

namespace {

// A link is followed to what it names: a link to a file is an ordinary file, one to a folder or
// to nothing is not.
bool IsOrdinaryFile(const std::string& folder, const win32::FolderEntry& entry) {
  constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
  if ((entry.Attributes & kNotOrdinary) != 0) return false;
  if ((entry.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return true;
  return io::IsRegularFile(win32::InFolder(folder, entry.Name));
}

}  // namespace

std::string HomeFolder() {
  std::string home = win32::EnvironmentText(L"USERPROFILE");
  if (!home.empty()) return home;
  std::string drive = win32::EnvironmentText(L"HOMEDRIVE");
  std::string path = win32::EnvironmentText(L"HOMEPATH");
  if (!drive.empty() && !path.empty()) return drive + path;
  return "C:\\";
}

std::optional<std::vector<std::string>> OrdinaryFilesIn(
    const std::string& folder, const std::function<bool(std::string_view name)>& wanted) {
  std::vector<std::string> names;
  bool exists = win32::ListFolder(folder, [&](const win32::FolderEntry& entry) {
    if (wanted(entry.Name) && IsOrdinaryFile(folder, entry)) names.push_back(entry.Name);
  });
  if (!exists) return std::nullopt;
  return names;
}

bool ChangeCurrentFolder(const std::string& folder) {
  return !folder.empty() && ::SetCurrentDirectoryW(win32::WideFromAnsi(folder).c_str());
}

bool FolderIsWritable(const std::string& folder) {
  if (folder.empty()) return false;
  DWORD attributes = ::GetFileAttributesW(win32::WideFromAnsi(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  // The folder's permissions are the system's to judge: a hidden file made there, and removed
  // when its handle closes, tells.
  static unsigned attempt = 0;
  std::string name = win32::InFolder(folder, std::string(io::kTemporaryPrefix) + "probe-" +
                                                 std::to_string(::GetCurrentProcessId()) + "-" +
                                                 std::to_string(::GetTickCount64()) + "-" +
                                                 std::to_string(++attempt));
  win32::UniqueHandle probe(
      ::CreateFileW(win32::WideFromAnsi(name).c_str(), GENERIC_WRITE, win32::kShareAll, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return probe.IsValid();
}

void MakeFolders(const std::string& folder, FolderAccess) {
  // Windows gives a new folder the permissions of its parent, whoever asks.
  // A drive's root, "\\server\share" and "\\?\" are no levels to make; trying them fails
  // harmlessly.
  for (std::size_t at = 1; at <= folder.size(); ++at) {
    if (at == folder.size() || win32::IsSeparator(folder[at])) {
      if (at > 0 && win32::IsSeparator(folder[at - 1])) continue;
      std::wstring level = win32::WideFromAnsi(folder.substr(0, at));
      ::CreateDirectoryW(level.c_str(), nullptr);
    }
  }
}

}  // namespace tolvanex
