#include "tests/support/run_folder.h"

#include <filesystem>

namespace tolvanex::testing {

namespace fs = std::filesystem;

std::string RunData() {
  return std::string(TOLVANEX_TEST_DATA) + "/run";
}

void PrepareRunFolder(const std::string& folder) {
  fs::create_directories(folder + "/post");
  fs::create_directories(folder + "/text");
  fs::copy_file(RunData() + "/data.dat", folder + "/data.dat");
  fs::copy_file(RunData() + "/sites.lkp", folder + "/sites.lkp");
}

}  // namespace tolvanex::testing
