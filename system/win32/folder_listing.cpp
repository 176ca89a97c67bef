#include "system/win32/folder_listing.h"

#include "system/win32/handles.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex::win32 {

namespace {

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool IsFolder(const std::string& folder) {
  DWORD attributes = ::GetFileAttributesW(WideFromAnsi(folder).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return IsSeparator(folder.back()) ? folder + name : folder + "\\" + name;
}

bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& each) {
  std::string base = folder.empty() ? std::string(".") : folder;
  WIN32_FIND_DATAW found{};
  FindHandle listing(::FindFirstFileExW(WideFromAnsi(InFolder(base, "*")).c_str(),
                                        FindExInfoStandard, &found, FindExSearchNameMatch, nullptr,
                                        FIND_FIRST_EX_LARGE_FETCH));
  if (listing.Get() == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    // A drive's empty root has not even "." to list.
    if (error == ERROR_FILE_NOT_FOUND && IsFolder(base)) return true;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_DIRECTORY || error == ERROR_INVALID_NAME) {
      return false;
    }
    ThrowWin32Error(error);
  }
  do {
    std::wstring_view wide = found.cFileName;
    if (wide == L"." || wide == L"..") continue;
    FolderEntry entry;
    if (!AnsiFromWideExactly(wide, entry.Name) &&
        (found.cAlternateFileName[0] == L'\0' ||
         !AnsiFromWideExactly(found.cAlternateFileName, entry.Name))) {
      continue;
    }
    entry.Attributes = found.dwFileAttributes;
    entry.WrittenTicks = TicksOf(found.ftLastWriteTime);
    each(entry);
  } while (::FindNextFileW(listing.Get(), &found));
  if (DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) ThrowWin32Error(error);
  return true;
}

}  // namespace tolvanex::win32
