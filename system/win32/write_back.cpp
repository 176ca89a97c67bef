// The WriteBack of the file layer on Windows. An ordinary user cannot have a whole volume written
// back, so Finish writes back, one by one, every file in the watched folders that was written
// since the folder was first watched (a few seconds more, for file systems that keep times
// coarsely). Files of the folder that are older are left alone.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "system/file_faults.h"
#include "system/file_io.h"
#include "system/win32/folder_listing.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex::io {

namespace {

// FAT keeps the time of the last write to two seconds; a clock may step meanwhile.
constexpr std::uint64_t kTimeSlackTicks = 5 * win32::kTicksPerSecond;

// Writes back one file; a file that is gone, or that this user may not write, is no file the
// program has written.
void WriteBackFile(const std::string& path) {
  win32::UniqueHandle file(::CreateFileW(win32::WideFromAnsi(path).c_str(), GENERIC_WRITE,
                                         win32::kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.IsValid()) {
    DWORD error = ::GetLastError();
    // Held by another program that shares no writing: a file of that program's, which the
    // program cannot have closed only moments ago.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
      return;
    }
    win32::ThrowWin32Error(error);
  }
  if (!::FlushFileBuffers(file.Get())) win32::ThrowLastError();
}

}  // namespace

struct WriteBack::Watched {
  std::string Folder;
  std::uint64_t SinceTicks = 0;
};

WriteBack::WriteBack() = default;
WriteBack::WriteBack(WriteBack&&) noexcept = default;
WriteBack& WriteBack::operator=(WriteBack&&) noexcept = default;
WriteBack::~WriteBack() = default;

void WriteBack::Watch(const std::string& folder) {
  for (const Watched& watched : watched_) {
    if (watched.Folder == folder) return;
  }
  watched_.push_back({folder, win32::TicksNow() - kTimeSlackTicks});
}

void WriteBack::Finish(std::string& failedFolder) {
  std::vector<Watched> watched = std::move(watched_);
  watched_.clear();
  for (const Watched& folder : watched) {
    failedFolder = folder.Folder;
    FailIfFaulty(FileOperation::Sync, folder.Folder, 0);
    std::vector<std::string> written;
    win32::ListFolder(folder.Folder, [&](const win32::FolderEntry& entry) {
      if ((entry.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
          entry.WrittenTicks >= folder.SinceTicks) {
        written.push_back(win32::InFolder(folder.Folder, entry.Name));
      }
    });
    for (const std::string& path : written) WriteBackFile(path);
  }
  failedFolder.clear();
}

}  // namespace tolvanex::io
