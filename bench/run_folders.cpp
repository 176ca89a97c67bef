#include "run_folders.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

namespace bench {

namespace fs = std::filesystem;

RunFolders::RunFolders(const std::string& work) : Root(work + "/runs") {
  fs::create_directories(Root);
}

std::string RunFolders::Fresh() {
  std::string folder;
  do {
    folder = Root + "/" + std::to_string(++Count);
  } while (!fs::create_directory(folder));
  return folder;
}

void RunFolders::ForgetLast() {
  ::sync();  // only pages written back can be dropped
  std::error_code ignored;
  for (const auto& entry :
       fs::recursive_directory_iterator(Root + "/" + std::to_string(Count), ignored)) {
    if (!entry.is_regular_file(ignored)) continue;
    int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
  }
}

void RunFolders::RemoveAll() {
  fs::remove_all(Root);
}

}  // namespace bench
