#include "system/file_moves.h"

#include <windows.h>

#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "system/file_io.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex {

namespace {

// Enough for a folder that collects the same name every day for years.
constexpr int kMostNumberedNames = 10000;

std::string NameOf(const std::string& path) {
  std::size_t separator = path.size();
  while (separator > 0 && !win32::IsSeparator(path[separator - 1]) && path[separator - 1] != ':') {
    --separator;
  }
  return path.substr(separator);
}

// Moves the file to a name that nothing holds; false when something does. Within a volume the
// move is a rename; across volumes the system copies the file with its attributes and times and
// removes the original, and a copy that fails part way is removed by the system. The write
// through has the move reach the disk before it returns: there is no folder to flush on Windows.
bool MoveToFreeName(const std::string& from, const std::string& to) {
  std::wstring source = win32::WideFromAnsi(from);
  std::wstring target = win32::WideFromAnsi(to);
  auto original = io::IdentityOf(from);
  if (!::MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
    DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
    win32::ThrowWin32Error(error);
  }
  // A copy to another volume counts as a success even when the original could not be removed:
  // then the copy goes again, so that there is one file, not two. A new file that took the
  // original's name meanwhile is left alone.
  if (original && io::IdentityOf(from) == original && !::DeleteFileW(source.c_str())) {
    DWORD error = ::GetLastError();
    ::DeleteFileW(target.c_str());
    win32::ThrowWin32Error(error);
  }
  return true;
}

}  // namespace

std::string MoveFileIntoFolder(const std::string& path, const std::string& folder) {
  if (!io::IsRegularFile(path)) io::ThrowSystemError(ENOENT);
  // Moved within its own folder, the file would only get a numbered name, and a job over that
  // folder would take it again.
  auto here = io::IdentityOf(io::FolderOfPath(path));
  if (here && here == io::IdentityOf(folder.empty() ? std::string(".") : folder)) {
    throw std::runtime_error("The file is in that folder already");
  }
  const std::string name = NameOf(path);
  std::string base = folder;
  if (base.empty() || !win32::IsSeparator(base.back())) base += '\\';
  for (int n = 0; n < kMostNumberedNames; ++n) {
    std::string target = base + NumberedName(name, n);
    if (MoveToFreeName(path, target)) return target;
  }
  throw std::runtime_error("No free name for " + name + " in " + folder);
}

}  // namespace tolvanex
