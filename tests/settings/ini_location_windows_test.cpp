// Where the settings file lives on Windows: beside the program whenever its folder may be written
// (a copy unpacked anywhere keeps its settings with it), else in %APPDATA%\Tolvanex; an installed
// copy never keeps anything in its own folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/ini_location.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

class IniLocationOnWindows : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  std::string programFolder_ = temp_ / "Tolvanex";
  ProgramInfo program_{programFolder_, "tolvanex"};

  void SetUp() override { std::filesystem::create_directory(programFolder_); }
};

TEST_F(IniLocationOnWindows, BesideAWritableProgramFolderEvenBeforeTheFileExists) {
  EXPECT_EQ(IniFilePath(program_), programFolder_ + "\\tolvanex.ini");
  EXPECT_FALSE(testing::Exists(programFolder_ + "\\tolvanex.ini"));
  EXPECT_EQ(DataFolder(program_, programFolder_ + "\\tolvanex.ini"), programFolder_);
}

TEST_F(IniLocationOnWindows, ElseInTheUsersApplicationDataFolders) {
  ProgramInfo gone{temp_ / "gone", "tolvanex"};
  std::string path = IniFilePath(gone);
  EXPECT_TRUE(path.ends_with("\\Tolvanex\\tolvanex.ini")) << path;
  EXPECT_FALSE(path.starts_with(temp_.Path())) << path;
  EXPECT_TRUE(std::filesystem::is_directory(path.substr(0, path.rfind('\\'))));
  EXPECT_TRUE(DataFolder(gone, path).ends_with("\\Local\\Tolvanex")) << DataFolder(gone, path);
}

// An administrator may write Program Files, but an installed copy (its uninstaller beside it)
// keeps its settings in %APPDATA% and its data in %LOCALAPPDATA%, also when a settings file lies
// beside it.
TEST_F(IniLocationOnWindows, AnInstalledCopyKeepsNothingInItsFolder) {
  testing::WriteFile(programFolder_ + "\\Uninstall.exe", "");
  testing::WriteFile(programFolder_ + "\\tolvanex.ini", "[General]\r\n");
  std::string path = IniFilePath(program_);
  EXPECT_TRUE(path.ends_with("\\Roaming\\Tolvanex\\tolvanex.ini")) << path;
  std::string data = DataFolder(program_, path);
  EXPECT_TRUE(data.ends_with("\\Local\\Tolvanex")) << data;
  EXPECT_FALSE(data.starts_with(temp_.Path())) << data;
}

TEST(ProgramFolderOnWindows, TakesEitherSeparator) {
  EXPECT_EQ(ProgramFolder("C:\\Tolvanex\\tolvanex.ini"), "C:\\Tolvanex");
  EXPECT_EQ(ProgramFolder("C:/Tolvanex/tolvanex.ini"), "C:/Tolvanex");
  EXPECT_EQ(ProgramFolder("tolvanex.ini"), "");
}

}  // namespace
}  // namespace tolvanex
