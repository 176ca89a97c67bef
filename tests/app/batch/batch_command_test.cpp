#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

const std::string kRunData = std::string(TOLVANEX_TEST_DATA) + "/run";

class BatchCommand : public ::testing::Test {
 protected:
  BatchCommand() {
    fs::create_directory(folder / "post");
    fs::create_directory(folder / "text");
    fs::copy_file(kRunData + "/data.dat", folder / "data.dat");
    fs::copy_file(kRunData + "/sites.lkp", folder / "sites.lkp");
    settings = "[General]\r\nDataFile=" + (folder / "data.dat") +
               "\r\nOutputPostFile=1\r\nPostFolder=" + (folder / "post") +
               "\r\nLookupFile=" + (folder / "sites.lkp") +
               "\r\nSortLookup=1\r\nOutputTextFile=1\r\nExtension=txt\r\n" +
               "OutputFolder=" + (folder / "text") + "\r\nDateFormat=d mmm yyyy HH:MM\r\n";
    testing::WriteFile(folder / "tolvanex.ini", settings);
  }

  testing::ProcessResult Run(std::vector<std::string> arguments, const std::string& input = "") {
    arguments.insert(arguments.begin(), {"--settings", folder / "tolvanex.ini"});
    return testing::RunProcess(TOLVANEX_BATCH, arguments, input, {{"LC_ALL", "C"}});
  }

  std::string Expected(const std::string& name) {
    return testing::ReadFile(kRunData + "/expected/" + name);
  }

  testing::TempFolder folder;
  std::string settings;
};

TEST_F(BatchCommand, ConvertsWithTheSettingsAndTheAnswerFromStdin) {
  auto result = Run({}, "512\n");
  EXPECT_EQ(result.ExitStatus, 0);
  EXPECT_EQ(result.Out, "Finished - posted 13 readings to 2 post file(s)\n");
  EXPECT_EQ(result.Err, "88 / 1 needs a site number [9999]: ");
  EXPECT_EQ(testing::ReadFile(folder / "post/23Jul14.pst"), Expected("23Jul14.pst"));
  EXPECT_EQ(testing::ReadFile(folder / "post/23Jul15.pst"), Expected("23Jul15.pst"));
  EXPECT_EQ(testing::ReadFile(folder / "text/2031_7.txt"), Expected("2031_7.txt"));
  EXPECT_EQ(testing::ReadFile(folder / "text/88_1.txt"), Expected("88_1.txt"));
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), Expected("sites.lkp"));
  EXPECT_EQ(testing::ReadFile(folder / "tolvanex.ini"), settings);  // never written
}

TEST_F(BatchCommand, AnEmptyAnswerTakesTheDefaultSiteNumber) {
  auto result = Run({}, "\n");
  EXPECT_EQ(result.ExitStatus, 0);
  EXPECT_NE(testing::ReadFile(folder / "sites.lkp").find("88, 1, 9999\r\n"), std::string::npos);
}

TEST_F(BatchCommand, AnAnswerThatIsNoNumberIsAskedAgain) {
  auto result = Run({}, "abc\n512\n");
  EXPECT_EQ(result.ExitStatus, 0);
  EXPECT_EQ(result.Err,
            "88 / 1 needs a site number [9999]: Must be a site number\n"
            "88 / 1 needs a site number [9999]: ");
}

TEST_F(BatchCommand, EndOfInputCancelsTheRun) {
  auto result = Run({}, "");
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_EQ(result.Out, "Finished - posted 6 readings to 1 post file(s)\n");
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), testing::ReadFile(kRunData + "/sites.lkp"));
}

TEST_F(BatchCommand, AMissingDataFileIsReportedOnStderr) {
  auto result = Run({"--data", folder / "missing.dat"});
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_EQ(result.Out, "");
  EXPECT_EQ(result.Err,
            "No such file or directory\nTolvanex:DoExport: " + (folder / "missing.dat") + "\n");
}

TEST_F(BatchCommand, OptionsOverrideTheSettings) {
  fs::create_directory(folder / "other");
  auto result = Run({"--no-post", "--text", "--output-folder", folder / "other", "--extension",
                     "csv", "--date-format", "yyyy-mm-dd HH:MM"});
  EXPECT_EQ(result.ExitStatus, 0);
  EXPECT_EQ(result.Out, "Finished - posted 6 readings\n");
  EXPECT_EQ(result.Err, "");  // no post files, so no site number is asked for
  EXPECT_TRUE(testing::NamesIn(folder / "post").empty());
  EXPECT_EQ(testing::ReadFile(folder / "other/2031_8.csv"),
            "Date, SN, 0.7, 1.5, 2.5 \r\n2023-07-14 09:05, S100, 3.25, , 7 \r\n"
            "2023-07-15 00:01, S101, -2.5, 4 \r\n");
}

TEST_F(BatchCommand, TheLastOfAPairOfSwitchesWins) {
  auto result = Run({"--no-text", "--text", "--post", "--no-post"});
  EXPECT_EQ(result.ExitStatus, 0);
  EXPECT_EQ(result.Out, "Finished - posted 6 readings\n");
}

TEST_F(BatchCommand, HelpVersionAndUsageErrors) {
  auto help = testing::RunProcess(TOLVANEX_BATCH, {"--help"});
  EXPECT_EQ(help.ExitStatus, 0);
  EXPECT_NE(help.Out.find("--output-folder"), std::string::npos);
  auto version = testing::RunProcess(TOLVANEX_BATCH, {"--version"});
  EXPECT_EQ(version.ExitStatus, 0);
  EXPECT_EQ(version.Out, "tolvanex-batch 1.0.007\n");
  auto wrong = testing::RunProcess(TOLVANEX_BATCH, {"--bogus"});
  EXPECT_EQ(wrong.ExitStatus, 2);
  EXPECT_EQ(wrong.Out, "");
  EXPECT_NE(wrong.Err.find("--bogus"), std::string::npos);
  EXPECT_NE(wrong.Err.find("--data"), std::string::npos);  // the usage follows the message
}

TEST_F(BatchCommand, AMissingSettingsFileGivesTheDefaultsAndStaysMissing) {
  auto result = testing::RunProcess(
      TOLVANEX_BATCH, {"--settings", folder / "none.ini", "--data", folder / "missing.dat"}, "",
      {{"HOME", folder.Path()}, {"XDG_DATA_HOME", folder / "data"}});
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_FALSE(testing::Exists(folder / "none.ini"));
  // The default lookup file and output folder lie in the user's data folder, made for them.
  EXPECT_TRUE(fs::is_directory(folder / "data/tolvanex"));
}

}  // namespace
}  // namespace tolvanex
