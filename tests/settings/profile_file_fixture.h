// A settings file in a temporary folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace tolvanex::testing {

class ProfileFile : public ::testing::Test {
 protected:
  std::size_t FilesInFolder() const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
      ++count;
    }
    return count;
  }

  TempFolder folder_;
  std::string path_ = folder_ / "tolvanex.ini";
};

}  // namespace tolvanex::testing
