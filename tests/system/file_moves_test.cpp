#include "system/file_moves.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

TEST(NumberedName, PutsTheNumberBeforeTheExtension) {
  EXPECT_EQ(NumberedName("Sd0101.dat", 0), "Sd0101.dat");
  EXPECT_EQ(NumberedName("Sd0101.dat", 1), "Sd0101-1.dat");
  EXPECT_EQ(NumberedName("Sd0101.dat", 12), "Sd0101-12.dat");
  EXPECT_EQ(NumberedName("export.2023.csv", 2), "export.2023-2.csv");
  EXPECT_EQ(NumberedName("README", 3), "README-3");
  EXPECT_EQ(NumberedName(".hidden", 1), ".hidden-1");
}

TEST(MoveFileIntoFolder, TakesTheFirstFreeNameAndReplacesNothing) {
  testing::TempFolder folder;
  fs::create_directory(folder / "done");
  testing::WriteFile(folder / "done/a.dat", "first");
  testing::WriteFile(folder / "done/a-1.dat", "second");
  testing::WriteFile(folder / "a.dat", "third");
  EXPECT_TRUE(fs::equivalent(MoveFileIntoFolder(folder / "a.dat", folder / "done"),
                             folder / "done/a-2.dat"));
  EXPECT_FALSE(testing::Exists(folder / "a.dat"));
  EXPECT_EQ(testing::ReadFile(folder / "done/a.dat"), "first");
  EXPECT_EQ(testing::ReadFile(folder / "done/a-1.dat"), "second");
  EXPECT_EQ(testing::ReadFile(folder / "done/a-2.dat"), "third");
}

TEST(MoveFileIntoFolder, AMissingFileOrFolderIsAFailureThatMovesNothing) {
  testing::TempFolder folder;
  EXPECT_THROW(MoveFileIntoFolder(folder / "none.dat", folder.Path()), std::system_error);
  testing::WriteFile(folder / "a.dat", "data");
  EXPECT_THROW(MoveFileIntoFolder(folder / "a.dat", folder / "none"), std::system_error);
  // Its own folder, under any name, is no place to move it to.
  EXPECT_THROW(MoveFileIntoFolder(folder / "a.dat", folder / "."), std::runtime_error);
  EXPECT_EQ(testing::ReadFile(folder / "a.dat"), "data");
  EXPECT_FALSE(testing::Exists(folder / "a-1.dat"));
}

}  // namespace
}  // namespace tolvanex
