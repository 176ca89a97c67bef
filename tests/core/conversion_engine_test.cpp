#include "core/conversion_engine.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/recording_observer.h"
#include "tests/support/run_folder.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

const std::string kRunData = testing::RunData();

using testing::NamesIn;

class EngineRun : public ::testing::Test {
 protected:
  EngineRun() { testing::PrepareRunFolder(folder.Path()); }

  ConversionResult Convert() { return engine.Convert(request, observer); }
  void WriteData(std::string_view bytes) { testing::WriteFile(folder / "data.dat", bytes); }
  void ExpectFile(const std::string& actual, const std::string& expectedName) {
    EXPECT_EQ(testing::ReadFile(actual), testing::ReadFile(kRunData + "/expected/" + expectedName))
        << expectedName;
  }

  testing::TempFolder folder;
  ConversionRequest request = testing::RequestAt(folder.Path());
  testing::RecordingObserver observer;
  ConversionEngine engine;
};

TEST_F(EngineRun, ConvertsTheDataFileIntoTheExpectedFiles) {
  observer.SiteAnswers = {"512"};
  ConversionResult result = Convert();

  EXPECT_TRUE(observer.Reports.empty()) << observer.ReportTexts()[0];
  ASSERT_EQ(observer.Prompts.size(), 1u);
  EXPECT_EQ(observer.Prompts[0], "88 / 1 needs a site number");
  EXPECT_EQ(NamesIn(folder / "post"), (std::vector<std::string>{"23Jul14.pst", "23Jul15.pst"}));
  ExpectFile(folder / "post/23Jul14.pst", "23Jul14.pst");
  ExpectFile(folder / "post/23Jul15.pst", "23Jul15.pst");
  EXPECT_EQ(NamesIn(folder / "text"),
            (std::vector<std::string>{"2031_7.txt", "2031_8.txt", "88_1.txt"}));
  ExpectFile(folder / "text/2031_7.txt", "2031_7.txt");
  ExpectFile(folder / "text/2031_8.txt", "2031_8.txt");
  ExpectFile(folder / "text/88_1.txt", "88_1.txt");
  ExpectFile(folder / "sites.lkp", "sites.lkp");

  EXPECT_EQ(result.Status, "Finished - posted 13 readings to 2 post file(s)");
  ASSERT_FALSE(observer.Statuses.empty());
  EXPECT_EQ(observer.Statuses.back(), result.Status);  // the front end is given the last one
  EXPECT_TRUE(result.ReachedEndOfData);
  EXPECT_EQ(observer.TextFileUses, 7);  // one a reading
  EXPECT_EQ(observer.TextFileNames,
            (std::set<std::string>{"2031_7.txt", "2031_8.txt", "88_1.txt"}));
  ASSERT_FALSE(observer.PostFileNames.empty());
  EXPECT_EQ(observer.PostFileNames.back(), folder / "post/23Jul15.pst");
  EXPECT_FALSE(engine.Session().Run.PostFile.IsOpen());
}

TEST_F(EngineRun, ASecondRunAddsNothingToTextFilesAndStartsNewPostFiles) {
  observer.SiteAnswers = {"512"};
  Convert();
  testing::RecordingObserver second;
  ConversionResult result = engine.Convert(request, second);

  EXPECT_TRUE(observer.Reports.empty());
  EXPECT_TRUE(second.Reports.empty());
  EXPECT_EQ(observer.Prompts.size(), 1u);
  EXPECT_TRUE(second.Prompts.empty());  // the pair is known now
  EXPECT_EQ(NamesIn(folder / "post"), (std::vector<std::string>{"23Jul14.pst", "23Jul14A.pst",
                                                                "23Jul15.pst", "23Jul15A.pst"}));
  ExpectFile(folder / "post/23Jul14A.pst", "23Jul14.pst");
  ExpectFile(folder / "post/23Jul15A.pst", "23Jul15.pst");
  ExpectFile(folder / "text/2031_7.txt", "2031_7.txt");
  ExpectFile(folder / "text/2031_8.txt", "2031_8.txt");
  ExpectFile(folder / "text/88_1.txt", "88_1.txt");
  EXPECT_EQ(result.Status, "Finished - posted 7 readings to 2 post file(s)");
  EXPECT_EQ(second.TextFileUses, 7);  // every reading skipped is told as well
}

TEST_F(EngineRun, AnEmptyDataFileCountsNothing) {
  WriteData("");
  request.WritePostFiles = false;
  EXPECT_EQ(Convert().Status, "Finished - posted 0 readings");

  request.WritePostFiles = true;
  EXPECT_EQ(Convert().Status, "Finished - posted 0 readings to 0 post file(s)");
  EXPECT_TRUE(NamesIn(folder / "post").empty());
  EXPECT_TRUE(observer.Reports.empty());
}

TEST_F(EngineRun, WithoutDataLinesNoPostFileIsStarted) {
  WriteData("Logger export\r\n\r\nshort,line\r\n");
  request.WriteTextFiles = false;
  EXPECT_EQ(Convert().Status, "Finished - posted 0 readings to 0 post file(s)");
  EXPECT_TRUE(NamesIn(folder / "post").empty());
  EXPECT_TRUE(observer.PostFileNames.empty());
}

TEST_F(EngineRun, WithNeitherOutputEveryLineIsStillAnalysed) {
  request.WritePostFiles = false;
  request.WriteTextFiles = false;
  EXPECT_EQ(Convert().Status, "2031/7 15 Jul 2023 00:00");  // no final status
  EXPECT_TRUE(NamesIn(folder / "post").empty());
  EXPECT_TRUE(NamesIn(folder / "text").empty());
  EXPECT_TRUE(observer.Prompts.empty());
}

TEST_F(EngineRun, AnEmptySiteNumberAnswerEndsTheRunAtOnce) {
  ConversionResult result = Convert();  // no queued answer: the prompt for 88 / 1 is cancelled
  EXPECT_TRUE(observer.Reports.empty());
  EXPECT_EQ(observer.Prompts.size(), 1u);
  EXPECT_EQ(result.Status, "Finished - posted 6 readings to 1 post file(s)");
  EXPECT_FALSE(testing::Exists(folder / "text/88_1.txt"));
  EXPECT_FALSE(engine.Session().Run.PostFile.IsOpen());
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), testing::ReadFile(kRunData + "/sites.lkp"));
}

TEST_F(EngineRun, AMissingDataFileIsReportedAndTheRunCanStartAgain) {
  request.DataFile = folder / "missing.dat";
  ConversionResult result = Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            testing::MissingFileText() + "\r\nTolvanex:DoExport: " + (folder / "missing.dat"));
  EXPECT_EQ(result.Reports, observer.Reports);
  // The run showed no status of its own.
  EXPECT_EQ(result.Status, "");
  EXPECT_TRUE(observer.Statuses.empty());

  request.DataFile = folder / "data.dat";
  observer.SiteAnswers = {"512"};
  EXPECT_EQ(Convert().Status, "Finished - posted 13 readings to 2 post file(s)");
}

TEST_F(EngineRun, ADataFileThatIsAFolderIsReported) {
  request.DataFile = folder.Path();
  Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            testing::FolderAsFileText() + "\r\nTolvanex:DoExport: " + folder.Path());
}

TEST_F(EngineRun, AStopEndsTheRunAfterTheLineInHand) {
  observer.SiteAnswers = {"512"};
  observer.OnLine = [&] {
    if (observer.StopLooks == 3) observer.Stop = true;  // asked for during the run
  };
  ConversionResult result = Convert();
  EXPECT_TRUE(engine.Session().Run.StopRequested);
  EXPECT_EQ(observer.StopLooks, 3);
  EXPECT_EQ(result.Status, "Finished - posted 4 readings to 1 post file(s)");
  EXPECT_FALSE(result.ReachedEndOfData);
}

TEST_F(EngineRun, ASecondRunStartsClean) {
  Convert();  // ends early: no site number for 88 / 1
  ASSERT_TRUE(engine.Session().Run.StopRequested);
  testing::RecordingObserver second;
  second.SiteAnswers = {"512"};
  request.WritePostFiles = false;
  ConversionResult result = engine.Convert(request, second);
  EXPECT_FALSE(engine.Session().Run.StopRequested);
  EXPECT_EQ(engine.Session().Run.PostFileCount, 0);
  EXPECT_EQ(result.Status, "Finished - posted 3 readings");
  EXPECT_EQ(second.TextFileUses, 7);
}

TEST_F(EngineRun, AMissingOutputFolderEndsTheRunWithTheTextWritersReport) {
  request.TextFolder = folder / "missing";
  ConversionResult result = Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            testing::MissingFolderText() +
                "\r\nTolvanex:ExportPostFile: " + (folder / "missing/2031_7.txt"));
  EXPECT_EQ(result.Status, "Finished - posted 1 readings to 1 post file(s)");
}

TEST_F(EngineRun, RunsOfMoreThan32767ReadingsComplete) {
  std::string data;
  for (int i = 0; i < 40000; ++i) {
    data += "2031,7,14 Jul 2023 09:05,S100,0.7," + std::to_string(i) + ",0,1.5,1,0\r\n";
  }
  WriteData(data);
  request.WriteTextFiles = false;
  EXPECT_EQ(Convert().Status, "Finished - posted 40000 readings to 1 post file(s)");
  EXPECT_TRUE(observer.Reports.empty());
}

}  // namespace
}  // namespace tolvanex
