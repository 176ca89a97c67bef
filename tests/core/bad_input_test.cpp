// Data files as cables, field devices and hand edits deliver them. Whatever arrives, a run ends
// normally or with a report, and what it writes holds whole lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/conversion_engine.h"
#include "system/file_io.h"
#include "system/folders.h"
#include "system/path_syntax.h"
#include "tests/support/recording_observer.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

class BadInput : public ::testing::Test {
 protected:
  BadInput() {
    fs::create_directory(folder / "post");
    fs::create_directory(folder / "text");
    testing::WriteFile(folder / "sites.lkp", "ID1, ID2, SiteID\r\n");
    for (int i = 0; i < 50; ++i) observer.SiteAnswers.push_back(std::to_string(100 + i));
  }

  // Runs over the bytes; the run must come to its end, and every output file holds whole lines.
  void Convert(const std::string& bytes) {
    testing::WriteFile(folder / "data.dat", bytes);
    result = engine.Convert(request, observer);
    EXPECT_FALSE(engine.Session().Run.PostFile.IsOpen());
    // The names as the program spells them (bytes of the system's code page on Windows).
    for (const char* kind : {"post", "text"}) {
      auto names = OrdinaryFilesIn(folder / kind, [](std::string_view) { return true; });
      ASSERT_TRUE(names.has_value());
      for (const std::string& name : *names) {
        std::string content = io::ReadWholeFile(folder / kind + kPathSeparator + name);
        EXPECT_TRUE(content.empty() || content.ends_with("\r\n")) << name;
      }
    }
  }

  testing::TempFolder folder;
  ConversionRequest request = testing::RequestAt(folder.Path());
  testing::RecordingObserver observer;
  ConversionEngine engine;
  ConversionResult result;  // of the last run
};

const std::string kGoodLine = "\"7\",\"1\",\"14 Jul 2023 09:05\",S1,0.7,12.5,0,1.5,3,0\r\n";

TEST_F(BadInput, RandomBytesNulsAndBrokenUtf8) {
  std::mt19937_64 random(1);
  for (int round = 0; round < 20; ++round) {
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += static_cast<char>(random() % 256);
    Convert(bytes);
  }
  std::string nuls = kGoodLine;
  nuls[1] = '\0';
  nuls += std::string(5000, '\0') + "\r\n" + kGoodLine;
  Convert(nuls);
  Convert("\"\xff\xfe\",\"\xc3\x28\",\"14 Jul 2023 09:05\",\xe2\x82,0.7,1,0,1.5,2,0\r\n" +
          kGoodLine);
  EXPECT_TRUE(fs::exists(folder / "text/7_1.txt"));
}

TEST_F(BadInput, AHundredThousandCommasAndLinesOfSeveralMegabytes) {
  // A data line of empty fields: its empty date is reported, and the run goes on to the end.
  Convert(std::string(100000, ',') + "\r\n" + kGoodLine);
  EXPECT_EQ(result.Status, "Finished - posted 3 readings to 2 post file(s)");
  ASSERT_FALSE(observer.Reports.empty());
  EXPECT_EQ(observer.ReportTexts()[0], "Type mismatch\r\nTolvanex:DateTimeValue: ");

  std::string groups;
  while (groups.size() < 4 * 1024 * 1024) groups += ",1.5,2.25,0";
  Convert("\"7\",\"1\",\"14 Jul 2023 09:06\",S1" + groups + "\r\n" + kGoodLine);
  EXPECT_NE(testing::ReadFile(folder / "text/7_1.txt").find("14 Jul 2023 09:06, S1, , 2.25 \r\n"),
            std::string::npos);
}

TEST_F(BadInput, AFileWithoutAnyCarriageReturn) {
  std::string lines;
  for (int minute = 10; minute < 20; ++minute) {
    lines += "\"7\",\"1\",\"14 Jul 2023 09:" + std::to_string(minute) + "\",S1,0.7,1,0,1.5,2,0\n";
  }
  Convert(lines);
  EXPECT_EQ(result.Status, "Finished - posted 20 readings to 1 post file(s)");
  Convert(std::string(3 * 1024 * 1024, 'x'));  // one long line without any end
  EXPECT_TRUE(observer.Reports.empty());
}

TEST_F(BadInput, ALineLongerThan64MiBIsAReportedFailureOfTheRun) {
  Convert(kGoodLine + std::string(65 * 1024 * 1024, '7'));
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            "Line too long\r\nTolvanex:DoExport: " + (folder / "data.dat"));
  EXPECT_FALSE(result.ReachedEndOfData);
}

}  // namespace
}  // namespace tolvanex

namespace tolvanex {
namespace {

// Paths that cannot work are reported at once, and nothing waits on them.
class ImpossiblePaths : public BadInput {};

TEST_F(ImpossiblePaths, OutputFoldersThatAreFiles) {
  testing::WriteFile(folder / "data.dat", kGoodLine);
  testing::WriteFile(folder / "afile", "x");
  request.PostFolder = folder / "afile";
  observer.SiteAnswers = {"5"};
  engine.Convert(request, observer);
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            testing::FileAsFolderText() +
                "\r\nTolvanex:ExportPostFile: " + (folder / "afile/23Jul14.pst"));

  observer.Reports.clear();
  request.WritePostFiles = false;
  request.TextFolder = folder / "afile";
  engine.Convert(request, observer);
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(
      observer.ReportTexts()[0],
      testing::FileAsFolderText() + "\r\nTolvanex:ExportPostFile: " + (folder / "afile/7_1.txt"));
  EXPECT_EQ(testing::ReadFile(folder / "afile"), "x");
}

TEST_F(ImpossiblePaths, NamesTooLong) {
  std::string id(300, 'a');
  testing::WriteFile(folder / "data.dat",
                     "\"" + id + "\",\"1\",\"14 Jul 2023 09:05\",S1,0.7,12.5,0,1.5,3,0\r\n");
  request.WritePostFiles = false;
  engine.Convert(request, observer);
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            testing::NameTooLongText() +
                "\r\nTolvanex:ExportPostFile: " + (folder / ("text/" + id + "_1.txt")));
  EXPECT_TRUE(testing::NamesIn(folder / "text").empty());
}

}  // namespace
}  // namespace tolvanex
