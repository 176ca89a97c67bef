#include "settings/ini_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/guards.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using testing::EnvironmentVariable;

class IniLocation : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  std::string programFolder_ = temp_ / "opt";
  std::string home_ = temp_ / "home";
  EnvironmentVariable homeVariable_{"HOME", home_.c_str()};
  EnvironmentVariable configVariable_{"XDG_CONFIG_HOME", nullptr};
  EnvironmentVariable dataVariable_{"XDG_DATA_HOME", nullptr};
  ProgramInfo program_{programFolder_, "tolvanex"};

  void SetUp() override {
    std::filesystem::create_directory(programFolder_);
    std::filesystem::create_directory(home_);
  }
};

TEST_F(IniLocation, BesideTheProgramOnlyWhenItIsAlreadyThere) {
  testing::WriteFile(programFolder_ + "/tolvanex.ini", "");
  EXPECT_EQ(IniFilePath(program_), programFolder_ + "/tolvanex.ini");
  EXPECT_FALSE(testing::Exists(home_ + "/.config"));
}

// A folder that the user may write into (root may write anywhere) is no reason to put the file
// there: the settings of a program in /usr/bin go to the user's folder.
TEST_F(IniLocation, InTheUsersConfigFolderOtherwiseWhichIsCreated) {
  EXPECT_EQ(IniFilePath(program_), home_ + "/.config/tolvanex/tolvanex.ini");
  EXPECT_TRUE(std::filesystem::is_directory(home_ + "/.config/tolvanex"));
  EXPECT_TRUE(std::filesystem::is_empty(programFolder_));
}

TEST_F(IniLocation, XdgConfigHomeWhenItIsAnAbsolutePath) {
  std::string config = temp_ / "cfg";
  configVariable_.Set((config + "/").c_str());
  EXPECT_EQ(IniFilePath(program_), config + "/tolvanex/tolvanex.ini");
  EXPECT_TRUE(std::filesystem::is_directory(config + "/tolvanex"));

  for (const char* ignored : {"", "relative/cfg"}) {
    configVariable_.Set(ignored);
    EXPECT_EQ(IniFilePath(program_), home_ + "/.config/tolvanex/tolvanex.ini") << ignored;
  }
}

TEST_F(IniLocation, AConfigFolderThatCannotBeMadeStillGivesThePath) {
  testing::WriteFile(home_ + "/.config", "a file, not a folder");
  EXPECT_EQ(IniFilePath(program_), home_ + "/.config/tolvanex/tolvanex.ini");
}

TEST_F(IniLocation, AProgramInTheRootHasOneSeparator) {
  std::vector<std::string> asked;
  auto record = [&](const std::string& path) {
    asked.push_back(path);
    return true;
  };
  EXPECT_EQ(IniFilePath(ProgramInfo{"/", "tolvanex"}, record), "/tolvanex.ini");
  EXPECT_EQ(IniFilePath(ProgramInfo{"", "tolvanex"}, record), "/tolvanex.ini");
  EXPECT_EQ(asked, (std::vector<std::string>{"/tolvanex.ini", "/tolvanex.ini"}));
}

TEST_F(IniLocation, DataFolderIsTheProgramsOnlyForSettingsBesideIt) {
  EXPECT_EQ(DataFolder(program_, programFolder_ + "/tolvanex.ini"), programFolder_);
  EXPECT_EQ(DataFolder(ProgramInfo{"/", "tolvanex"}, "/tolvanex.ini"), "/");
  EXPECT_EQ(DataFolder(ProgramInfo{"", "tolvanex"}, "/tolvanex.ini"), "/");

  std::string userData = home_ + "/.local/share/tolvanex";
  EXPECT_EQ(DataFolder(program_, home_ + "/.config/tolvanex/tolvanex.ini"), userData);
  EXPECT_EQ(DataFolder(program_, programFolder_ + "/sub/tolvanex.ini"), userData);
  EXPECT_EQ(DataFolder(program_, "tolvanex.ini"), userData);
  EXPECT_FALSE(testing::Exists(home_ + "/.local"));

  std::string data = temp_ / "data";
  dataVariable_.Set((data + "//").c_str());
  EXPECT_EQ(DataFolder(program_, "/elsewhere/tolvanex.ini"), data + "/tolvanex");
  dataVariable_.Set("relative/data");
  EXPECT_EQ(DataFolder(program_, "/elsewhere/tolvanex.ini"), userData);
}

TEST(ProgramFolder, IsTheFolderOfTheSettingsFile) {
  EXPECT_EQ(ProgramFolder("/opt/tolvanex/tolvanex.ini"), "/opt/tolvanex");
  EXPECT_EQ(ProgramFolder("/tolvanex.ini"), "/");
  EXPECT_EQ(ProgramFolder("tolvanex.ini"), "");
  EXPECT_EQ(ProgramFolder(""), "");
}

}  // namespace
}  // namespace tolvanex
