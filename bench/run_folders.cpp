#include "run_folders.h"

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

void RunFolders::RemoveLast() {
  fs::remove_all(Root + "/" + std::to_string(Count));
}

void RunFolders::RemoveAll() {
  fs::remove_all(Root);
}

}  // namespace bench
