// Moves across file systems, with a second file system at /dev/shm where the machine has one.
#include "system/file_moves.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <system_error>

#include "tests/support/disk_full.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

// Another file system than the temporary folders' own, where the machine has one.
class AcrossFileSystems : public ::testing::Test {
 protected:
  void SetUp() override {
    struct stat here {
    }, there{};
    if (::stat(source.Path().c_str(), &here) != 0 || ::stat("/dev/shm", &there) != 0 ||
        here.st_dev == there.st_dev) {
      GTEST_SKIP() << "no second file system at /dev/shm";
    }
    char pattern[] = "/dev/shm/tolvanex-move-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    target = pattern;
  }
  void TearDown() override {
    if (!target.empty()) fs::remove_all(target);
  }

  testing::TempFolder source;
  std::string target;
};

TEST_F(AcrossFileSystems, CopiesWithModeAndTimeThenRemovesTheOriginal) {
  std::string path = source / "a.dat";
  testing::WriteFile(path, std::string(200000, 'x'));
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  auto modified = fs::last_write_time(path) - std::chrono::hours(30);
  fs::last_write_time(path, modified);
  testing::WriteFile(target + "/a.dat", "taken");

  EXPECT_EQ(MoveFileIntoFolder(path, target), target + "/a-1.dat");
  EXPECT_FALSE(testing::Exists(path));
  EXPECT_EQ(testing::ReadFile(target + "/a-1.dat"), std::string(200000, 'x'));
  EXPECT_EQ(testing::ReadFile(target + "/a.dat"), "taken");
  EXPECT_EQ(fs::status(target + "/a-1.dat").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(fs::last_write_time(target + "/a-1.dat"), modified);
}

TEST_F(AcrossFileSystems, AFailedCopyLeavesTheOriginalAndNoPartOfTheCopy) {
  std::string path = source / "a.dat";
  testing::WriteFile(path, std::string(200000, 'x'));
  {
    testing::DiskFullAfter full(100000, target);
    EXPECT_THROW(MoveFileIntoFolder(path, target), std::system_error);
  }
  EXPECT_EQ(testing::ReadFile(path), std::string(200000, 'x'));
  EXPECT_TRUE(fs::is_empty(target));
}

}  // namespace
}  // namespace tolvanex
