#include "core/post_writer.h"

#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/writer_fixture.h"
#include "tests/support/german_settings.h"
#include "tests/support/guards.h"

namespace tolvanex {
namespace {

std::string Header(const std::string& sn) {
  std::string header = " 503DR-SD," + sn + ",CNT,9999,0,16\r\n";
  for (int i = 1; i <= 16; ++i) {
    header += std::to_string(i) + ", Calibration  " + std::to_string(i) + "    \r\n";
  }
  return header;
}

std::string ZeroSlots(int count) {
  std::string zeros;
  for (int i = 0; i < count; ++i) zeros += ",0";
  return zeros;
}

// Site 101 at 14 July 2023 13:00 with slot 1 12.5 and slot 3 -3.
const std::string kReadingLine = "101,45121.5416666667" + ZeroSlots(13) + ",-3 ,0, 12.5  \r\n";

class PostWriter : public testing::WriterTest {
 protected:
  bool Export() { return WriteToPostFile(conversion); }
  void Finish() { EXPECT_TRUE(ClosePostFile(conversion)); }
};

TEST_F(PostWriter, TheFirstReadingStartsAFileNamedAfterItsDay) {
  SetReading(testing::k14July2023At1300);
  ASSERT_TRUE(Export());
  Finish();
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14.pst"), Header("7") + kReadingLine);
  EXPECT_EQ(conversion.PostFilePath, folder / "23Jul14.pst");
  // Told the name when the file was started, and again when it got it.
  EXPECT_EQ(observer.PostFileNames, std::vector<std::string>(2, folder / "23Jul14.pst"));
  EXPECT_EQ(conversion.PostFileSN, "7");
  EXPECT_EQ(session.Run.PostFileCount, 1);
  EXPECT_EQ(session.Run.ReadingsPosted, 1);
}

TEST_F(PostWriter, ReadingsOfTheSameSnShareAFileAcrossDays) {
  SetReading(testing::k14July2023At1300);
  ASSERT_TRUE(Export());
  SetReading(testing::k14July2023At1300 + 1);
  ASSERT_TRUE(Export());
  Finish();
  std::string content = testing::ReadFile(folder / "23Jul14.pst");
  EXPECT_EQ(content.substr(0, Header("7").size()), Header("7"));
  EXPECT_NE(content.find("101,45122.5416666667,"), std::string::npos);
  EXPECT_FALSE(testing::Exists(folder / "23Jul15.pst"));
  EXPECT_EQ(session.Run.PostFileCount, 1);
  EXPECT_EQ(session.Run.ReadingsPosted, 2);
}

TEST_F(PostWriter, EveryChangeOfSnStartsTheNextFreeName) {
  for (const char* sn : {"a", "b", "a"}) {
    SetReading(testing::k14July2023At1300, sn);
    ASSERT_TRUE(Export());
  }
  Finish();
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14.pst"), Header("a") + kReadingLine);
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14A.pst"), Header("b") + kReadingLine);
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14B.pst"), Header("a") + kReadingLine);
  EXPECT_EQ(session.Run.PostFileCount, 3);
}

TEST_F(PostWriter, ExistingFilesAreNeverOpenedAndYIsTheLastLetter) {
  testing::WriteFile(folder / "23Jul14.pst", "old");
  for (char letter = 'A'; letter <= 'X'; ++letter) {
    testing::WriteFile(folder / (std::string("23Jul14") + letter + ".pst"), "old");
  }
  SetReading(testing::k14July2023At1300);
  ASSERT_TRUE(Export());
  Finish();
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14Y.pst"), Header("7") + kReadingLine);
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14.pst"), "old");
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14X.pst"), "old");
}

TEST_F(PostWriter, AllTwentySixNamesTakenIsAReportedFailure) {
  testing::WriteFile(folder / "23Jul14.pst", "old");
  for (char letter = 'A'; letter <= 'Y'; ++letter) {
    testing::WriteFile(folder / (std::string("23Jul14") + letter + ".pst"), "old");
  }
  SetReading(testing::k14July2023At1300);
  EXPECT_FALSE(Export());
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            "No free post file name\r\nTolvanex:ExportPostFile: " + (folder / "23Jul14Y.pst"));
  EXPECT_FALSE(testing::Exists(folder / "23Jul14Z.pst"));
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14Y.pst"), "old");
  EXPECT_FALSE(session.Run.PostFile.IsOpen());
}

TEST_F(PostWriter, AMissingFolderIsReportedWithTheCandidatePath) {
  request.PostFolder = folder / "missing";
  SetReading(testing::k14July2023At1300);
  EXPECT_FALSE(Export());
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            testing::MissingFolderText() +
                "\r\nTolvanex:ExportPostFile: " + (folder / "missing/23Jul14.pst"));
}

TEST_F(PostWriter, AnEmptyFolderWritesIntoTheCurrentFolder) {
  bool written = false;
  {
    testing::CurrentFolderGuard guard;
    std::filesystem::current_path(folder.Path());
    request.PostFolder = "";
    SetReading(testing::k14July2023At1300);
    written = Export();
    Finish();
  }
  EXPECT_TRUE(written);
  EXPECT_EQ(conversion.PostFilePath, "23Jul14.pst");
  EXPECT_TRUE(testing::Exists(folder / "23Jul14.pst"));
}

TEST_F(PostWriter, AReadingWithoutSiteNumberLeavesTheHeaderAlone) {
  SetReading(testing::k14July2023At1300);
  conversion.Reading.Fields[0] = "999";  // a pair the lookup file does not know
  EXPECT_FALSE(Export());                // the prompt is cancelled: no queued answer
  EXPECT_TRUE(session.Run.StopRequested);
  Finish();
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14.pst"), Header("7"));
  EXPECT_EQ(session.Run.ReadingsPosted, 0);
  EXPECT_EQ(session.Run.PostFileCount, 1);
}

TEST_F(PostWriter, SlotsAreWrittenInTheirPrintForm) {
  SetReading(testing::k14July2023At1300);
  auto& values = conversion.Reading.Values;
  values.fill(std::nullopt);
  values[16] = 0.0;
  values[15] = -0.25;
  values[2] = 1e15;
  values[1] = 0.000015;
  values[17] = 5.0;  // beyond slot 16: never in a post file
  std::string line;
  AppendPostReadingLine(conversion.Reading, session.Run.ReadingTimeDigits, -5, line);
  EXPECT_EQ(line, "-5,45121.5416666667, 0 ,-0.25 " + ZeroSlots(12) + ", 1E+15 , 0.000015  ");
}

TEST_F(PostWriter, ValuesOnlyAboveSlotSixteenGiveSixteenZeros) {
  SetReading(testing::k14July2023At1300);
  conversion.Reading.Values.fill(std::nullopt);
  conversion.Reading.Values[20] = 1.0;
  std::string line;
  AppendPostReadingLine(conversion.Reading, session.Run.ReadingTimeDigits, 101, line);
  EXPECT_EQ(line, "101,45121.5416666667" + ZeroSlots(16) + " ");
}

TEST_F(PostWriter, NumbersUseAPointWhateverTheLocale) {
  ConversionRequest germanRequest = request;
  germanRequest.Regional = testing::GermanRegionalSettings();
  EngineSession germanSession;
  Conversion german(germanRequest, observer, germanSession);
  SetReading(testing::k14July2023At1300);
  german.Reading = conversion.Reading;
  std::string line;
  AppendPostReadingLine(german.Reading, german.Run.ReadingTimeDigits, 101, line);
  EXPECT_EQ(line + "\r\n", kReadingLine);
}

}  // namespace
}  // namespace tolvanex
