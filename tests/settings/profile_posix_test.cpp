// The profile files as this system's own profile layer writes them over the file layer: a failed
// write and a symbolic link. (On Windows the system's profile functions write the file.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "system/profile_files.h"
#include "tests/settings/profile_file_fixture.h"
#include "tests/support/disk_full.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using testing::ProfileFile;

TEST_F(ProfileFile, AWriteThatFailsHalfWayKeepsTheOldFileByteForByte) {
  const std::string old = "junk\r\n[General]\r\nA=old\r\n\r\n[Other]\rB=1";
  testing::WriteFile(path_, old);
  {
    testing::DiskFullAfter full(10);
    EXPECT_FALSE(WriteProfileEntry(path_, "General", "A", "a new and longer value"));
  }
  EXPECT_EQ(testing::ReadFile(path_), old);
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(ProfileFile, AnUnchangedValueIsNotWrittenAgain) {
  testing::WriteFile(path_, "[General]\r\nA=same\r\n");
  testing::DiskFullAfter full(0);
  EXPECT_TRUE(WriteProfileEntry(path_, "General", "a", "same"));
  EXPECT_EQ(full.Calls(), 0);
}

TEST_F(ProfileFile, ALinkedFileIsWrittenThroughTheLink) {
  std::string target = folder_ / "real.ini";
  testing::WriteFile(target, "[General]\r\nA=old\r\n");
  ASSERT_EQ(::symlink(target.c_str(), path_.c_str()), 0);
  EXPECT_TRUE(WriteProfileEntry(path_, "General", "A", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(path_));
  EXPECT_EQ(testing::ReadFile(target), "[General]\r\nA=new\r\n");
}

}  // namespace
}  // namespace tolvanex
