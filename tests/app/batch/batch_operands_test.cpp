#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/app/batch/batch_fixture.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

class BatchOperands : public BatchFolder {
 protected:
  BatchOperands() {
    fs::create_directory(folder / "incoming");
    fs::create_directory(folder / "done");
  }
};

TEST_F(BatchOperands, ConvertsEachInTurnWithOneLookupTable) {
  std::string first = DataFile("incoming/first.dat");
  // The second file meets the pair the first one asked for, and one of its own.
  std::string second = DataFile("incoming/second.dat",
                                "\"88\",\"1\",\"16 Jul 2023 10:00\",S200,0.7,1,0,1.5,2,0\r\n"
                                "\"77\",\"2\",\"16 Jul 2023 10:00\",S200,0.7,1,0,1.5,2,0\r\n");
  auto result = Run({first, second}, "512\n600\n");
  EXPECT_EQ(result.ExitStatus, 0);
  EXPECT_EQ(result.Out,
            "Finished - posted 13 readings to 2 post file(s)\n"
            "Finished - posted 4 readings to 1 post file(s)\n");
  EXPECT_EQ(result.Err, "88 / 1 needs a site number [9999]: 77 / 2 needs a site number [9999]: ");
  std::string post = testing::ReadFile(folder / "post/23Jul16.pst");
  EXPECT_NE(post.find("\r\n512,"), std::string::npos);
  EXPECT_NE(post.find("\r\n600,"), std::string::npos);
  std::string lookup = testing::ReadFile(folder / "sites.lkp");
  EXPECT_NE(lookup.find("\r\n88, 1, 512\r\n"), std::string::npos);
  EXPECT_NE(lookup.find("\r\n77, 2, 600\r\n"), std::string::npos);
  // The operands, not the settings' data file, were converted.
  EXPECT_TRUE(testing::Exists(folder / "post/23Jul14.pst"));
  EXPECT_FALSE(testing::Exists(folder / "post/23Jul14A.pst"));
}

TEST_F(BatchOperands, ArchivesEachFileReadWholeWithoutReplacingAnyFile) {
  std::string first = DataFile("incoming/data.dat");
  testing::WriteFile(folder / "done/data.dat", "converted yesterday");
  auto result = Run({"--archive", folder / "done", first}, "512\n");
  EXPECT_EQ(result.ExitStatus, 0) << result.Err;
  EXPECT_FALSE(testing::Exists(first));
  EXPECT_EQ(testing::ReadFile(folder / "done/data.dat"), "converted yesterday");
  EXPECT_EQ(testing::ReadFile(folder / "done/data-1.dat"),
            testing::ReadFile(kRunData + "/data.dat"));

  // Run again over the same folder, the job converts nothing twice: the file is gone.
  auto again = Run({"--archive", folder / "done", first});
  EXPECT_EQ(again.ExitStatus, 1);
  EXPECT_FALSE(testing::Exists(folder / "post/23Jul14A.pst"));
}

TEST_F(BatchOperands, AFileNotReadWholeOrWithAReportStaysWhereItIs) {
  std::string unanswered = DataFile("incoming/unanswered.dat");
  std::string reported = DataFile("incoming/reported.dat", kUnreadableDateLine);
  std::string whole = DataFile("incoming/whole.dat",
                               "\"2031\",\"7\",\"20 Jul 2023 10:00\",S100,0.7,1,0,1.5,2,0\r\n");
  // No answer for 88 / 1: the first run ends early; the second shows a report.
  auto result = Run({"--archive", folder / "done", unanswered, reported, whole}, "");
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_TRUE(testing::Exists(unanswered));
  EXPECT_TRUE(testing::Exists(reported));
  EXPECT_FALSE(testing::Exists(whole));
  EXPECT_TRUE(testing::Exists(folder / "done/whole.dat"));
  EXPECT_FALSE(testing::Exists(folder / "done/unanswered.dat"));
  EXPECT_FALSE(testing::Exists(folder / "done/reported.dat"));
}

}  // namespace
}  // namespace tolvanex
