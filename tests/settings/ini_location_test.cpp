#include "settings/ini_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/guards.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

// root may write into every folder, so the folder test is replaced where a read-only program
// folder is needed.
bool NeverWritable(const std::string&) {
  return false;
}

class IniLocation : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  std::string programFolder_ = temp_ / "opt";
  std::string home_ = temp_ / "home";
  testing::EnvironmentVariable homeVariable_{"HOME", home_.c_str()};
  testing::EnvironmentVariable configVariable_{"XDG_CONFIG_HOME", nullptr};
  ProgramInfo program_{programFolder_, "tolvanex"};

  void SetUp() override {
    std::filesystem::create_directory(programFolder_);
    std::filesystem::create_directory(home_);
  }
};

TEST_F(IniLocation, BesideAWritableProgram) {
  EXPECT_EQ(IniFilePath(program_), programFolder_ + "/tolvanex.ini");
  EXPECT_FALSE(testing::Exists(home_ + "/.config"));
}

TEST_F(IniLocation, BesideAReadOnlyProgramThatAlreadyHasTheFile) {
  testing::WriteFile(programFolder_ + "/tolvanex.ini", "");
  EXPECT_EQ(IniFilePath(program_, NeverWritable), programFolder_ + "/tolvanex.ini");
}

TEST_F(IniLocation, InTheUsersConfigFolderOtherwiseWhichIsCreated) {
  EXPECT_EQ(IniFilePath(program_, NeverWritable), home_ + "/.config/tolvanex/tolvanex.ini");
  EXPECT_TRUE(std::filesystem::is_directory(home_ + "/.config/tolvanex"));
}

TEST_F(IniLocation, AMissingProgramFolderIsNotWritable) {
  program_.Folder = temp_ / "gone";
  EXPECT_EQ(IniFilePath(program_), home_ + "/.config/tolvanex/tolvanex.ini");
}

TEST_F(IniLocation, XdgConfigHomeWhenItIsAnAbsolutePath) {
  std::string config = temp_ / "cfg";
  configVariable_.Set((config + "/").c_str());
  EXPECT_EQ(IniFilePath(program_, NeverWritable), config + "/tolvanex/tolvanex.ini");
  EXPECT_TRUE(std::filesystem::is_directory(config + "/tolvanex"));

  for (const char* ignored : {"", "relative/cfg"}) {
    configVariable_.Set(ignored);
    EXPECT_EQ(IniFilePath(program_, NeverWritable), home_ + "/.config/tolvanex/tolvanex.ini")
        << ignored;
  }
}

TEST_F(IniLocation, AConfigFolderThatCannotBeMadeStillGivesThePath) {
  testing::WriteFile(home_ + "/.config", "a file, not a folder");
  EXPECT_EQ(IniFilePath(program_, NeverWritable), home_ + "/.config/tolvanex/tolvanex.ini");
}

TEST_F(IniLocation, AProgramInTheRootHasOneSeparator) {
  std::string asked;
  auto record = [&](const std::string& folder) {
    asked = folder;
    return true;
  };
  EXPECT_EQ(IniFilePath(ProgramInfo{"/", "tolvanex"}, record), "/tolvanex.ini");
  EXPECT_EQ(IniFilePath(ProgramInfo{"", "tolvanex"}, record), "/tolvanex.ini");
  EXPECT_EQ(asked, "/");
}

TEST(ProgramFolder, IsTheFolderOfTheSettingsFile) {
  EXPECT_EQ(ProgramFolder("/opt/tolvanex/tolvanex.ini"), "/opt/tolvanex");
  EXPECT_EQ(ProgramFolder("/tolvanex.ini"), "/");
  EXPECT_EQ(ProgramFolder("tolvanex.ini"), "");
  EXPECT_EQ(ProgramFolder(""), "");
}

}  // namespace
}  // namespace tolvanex
