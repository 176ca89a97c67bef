#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "system/version.h"
#include "tests/app/batch/batch_fixture.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

using BatchCommand = BatchFolder;

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

TEST_F(BatchCommand, EndOfInputAtThePromptStopsTheRunAndSaysWhy) {
  auto result = Run({}, "");
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_EQ(result.Out, "Finished - posted 6 readings to 1 post file(s)\n");
  EXPECT_EQ(result.Err,
            "88 / 1 needs a site number [9999]: \n"
            "tolvanex-batch: the run stopped because no site number was given for 88 / 1\n");
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), testing::ReadFile(kRunData + "/sites.lkp"));
}

TEST_F(BatchCommand, WithoutPromptAnUnknownPairEndsTheRunWithAReport) {
  auto result = Run({"--no-prompt"}, "512\n");
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_EQ(result.Out, "Finished - posted 6 readings to 1 post file(s)\n");
  EXPECT_EQ(result.Err, "No site number for 88 / 1 in the lookup file\nTolvanex:GetSiteID: 0\n");
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), testing::ReadFile(kRunData + "/sites.lkp"));
}

TEST_F(BatchCommand, ControlCharactersFromTheDataFileReachTheTerminalEscaped) {
  std::string data = DataFile("escape.dat",
                              "\"20\x1b]0;x\x07\x9b\",\"1\",\"\x1b[2J\x9b"
                              "2J\",S1,0.7,1,0,1.5,2,0\r\n");
  auto result = Run({"--no-text", data}, "");
  EXPECT_EQ(result.ExitStatus, 1);
  for (char control : {'\x1b', '\x07', '\x9b'}) {
    EXPECT_EQ(result.Err.find(control), std::string::npos) << result.Err;
  }
  EXPECT_NE(result.Err.find("Tolvanex:DateTimeValue: \\x1b[2J\\x9b2J\n"), std::string::npos);
  EXPECT_NE(result.Err.find("20\\x1b]0;x\\x07\\x9b / 1 needs a site number"), std::string::npos);
}

TEST_F(BatchCommand, AMissingDataFileIsReportedOnStderr) {
  auto result = Run({"--data", folder / "missing.dat"});
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_EQ(result.Out, "");
  EXPECT_EQ(result.Err,
            testing::MissingFileText() + "\nTolvanex:DoExport: " + (folder / "missing.dat") + "\n");
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

TEST_F(BatchCommand, ExitStatusesTellHowTheDataFilesWereRead) {
  std::string good = DataFile("good.dat");
  std::string reported = DataFile("reported.dat", kUnreadableDateLine);
  std::string missing = folder / "missing.dat";
  struct Case {
    std::vector<std::string> Files;
    int Expected;
  };
  const Case cases[] = {
      {{good}, 0},               // read to the end without a report
      {{reported}, 3},           // read to the end, with a report on the way
      {{good, reported}, 3},     // the worst of the files
      {{reported, missing}, 1},  // one could not start
      {{missing, good}, 1},      // and the others are still converted
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{"--no-prompt", "--lookup", kRunData + "/expected/sites.lkp",
                                       "--no-text"};
    arguments.insert(arguments.end(), c.Files.begin(), c.Files.end());
    auto result = Run(arguments);
    EXPECT_EQ(result.ExitStatus, c.Expected) << result.Err;
  }
  auto last = Run({"--no-prompt", "--lookup", kRunData + "/expected/sites.lkp", "--no-text",
                   folder / "missing.dat", good});
  EXPECT_EQ(last.Out, "Finished - posted 7 readings to 2 post file(s)\n");
}

TEST(BatchUsage, HelpIsWrittenForPeople) {
  auto help = testing::RunProcess(TOLVANEX_BATCH, {"--help"});
  EXPECT_EQ(help.ExitStatus, 0);
  EXPECT_EQ(help.Err, "");
  EXPECT_TRUE(help.Out.starts_with("Usage: tolvanex-batch [OPTION]... [DATAFILE]...\n"));
  for (const char* part :
       {"~/.config/tolvanex/tolvanex.ini", "\nInput:\n", "\nPost files:\n", "\nText files:\n",
        "\nBehaviour:\n", "--archive DIR", "--no-prompt", "--json", "--output-folder DIR",
        "  -h, --help", "\"ID1 / ID2 needs a site number [9999]: \"", "from stdin",
        "\nExit status:\n  0  ", "\n  3  ", "\n  1  ", "\n  2  ", "\nExamples:\n"}) {
    EXPECT_NE(help.Out.find(part), std::string::npos) << part;
  }
  std::size_t start = 0;
  while (start < help.Out.size()) {
    std::size_t end = help.Out.find('\n', start);
    EXPECT_LE(end - start, 79u) << help.Out.substr(start, end - start);
    start = end + 1;
  }
  auto version = testing::RunProcess(TOLVANEX_BATCH, {"--version"});
  EXPECT_EQ(version.ExitStatus, 0);
  EXPECT_EQ(version.Out, "tolvanex-batch " + std::string(kReleaseVersion) + "\n" + kVersionNotice);
  EXPECT_TRUE(version.Out.starts_with("tolvanex-batch 1.0.7\nCopyright (c) ")) << version.Out;
}

TEST_F(BatchCommand, AUsageErrorIsOneLineAndAPointerToTheHelp) {
  struct Case {
    std::vector<std::string> Arguments;
    std::string Line;
  };
  const Case cases[] = {
      {{"--bogus"}, "The following argument was not expected: --bogus"},
      {{"--data", folder / "data.dat", folder / "data.dat"},
       "--data and data file operands cannot be given together"},
      {{"--archive", folder / "none"},
       "--archive: no folder that takes files: " + (folder / "none")},
      {{"--date-format", "d mmm yyyy\r\nHH:MM"},
       "--date-format: a date pattern cannot hold a line break or NUL"},
  };
  for (const Case& c : cases) {
    auto result = Run(c.Arguments);
    EXPECT_EQ(result.ExitStatus, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "tolvanex-batch: " + c.Line + "\nTry 'tolvanex-batch --help'.\n");
  }
  EXPECT_TRUE(testing::NamesIn(folder / "post").empty());  // nothing was converted
}

TEST_F(BatchCommand, AMissingSettingsFileIsAUsageError) {
  auto result = testing::RunProcess(TOLVANEX_BATCH, {"--settings", folder / "none.ini"}, "",
                                    {{"HOME", folder.Path()}});
  EXPECT_EQ(result.ExitStatus, 2);
  EXPECT_EQ(result.Err, "tolvanex-batch: no settings file " + (folder / "none.ini") +
                            "\nTry 'tolvanex-batch --help'.\n");
  EXPECT_FALSE(testing::Exists(folder / "none.ini"));
}

}  // namespace
}  // namespace tolvanex
