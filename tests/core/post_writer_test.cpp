#include "core/post_writer.h"

#include <filesystem>
#include <string>

#include "tests/core/writer_fixture.h"
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
  bool Export() { return ExportPostFile(form); }
  void Finish() { EXPECT_TRUE(ClosePostFile(form)); }
};

TEST_F(PostWriter, TheFirstReadingStartsAFileNamedAfterItsDay) {
  SetReading(testing::k14July2023At1300);
  ASSERT_TRUE(Export());
  Finish();
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14.pst"), Header("7") + kReadingLine);
  EXPECT_EQ(form.Lbl_File[0].Caption, folder / "23Jul14.pst");
  EXPECT_TRUE(form.Cmd_Edit[3].Enabled);
  EXPECT_EQ(form.PostFileSN, "7");
  EXPECT_EQ(form.RunState.PostFileCount, 1);
  EXPECT_EQ(form.RunState.ReadingsPosted, 1);
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
  EXPECT_EQ(form.RunState.PostFileCount, 1);
  EXPECT_EQ(form.RunState.ReadingsPosted, 2);
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
  EXPECT_EQ(form.RunState.PostFileCount, 3);
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
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            "No free post file name\r\nTolvanex:ExportPostFile: " + (folder / "23Jul14Y.pst"));
  EXPECT_FALSE(testing::Exists(folder / "23Jul14Z.pst"));
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14Y.pst"), "old");
  EXPECT_FALSE(form.RunState.PostFile.IsOpen());
}

TEST_F(PostWriter, AMissingFolderIsReportedWithTheCandidatePath) {
  form.Lbl_Folder[0].Caption = folder / "missing";
  SetReading(testing::k14July2023At1300);
  EXPECT_FALSE(Export());
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            testing::MissingFolderText() +
                "\r\nTolvanex:ExportPostFile: " + (folder / "missing/23Jul14.pst"));
}

TEST_F(PostWriter, AnEmptyFolderWritesIntoTheCurrentFolder) {
  bool written = false;
  {
    testing::CurrentFolderGuard guard;
    std::filesystem::current_path(folder.Path());
    form.Lbl_Folder[0].Caption = "";
    SetReading(testing::k14July2023At1300);
    written = Export();
    Finish();
  }
  EXPECT_TRUE(written);
  EXPECT_EQ(form.Lbl_File[0].Caption, "23Jul14.pst");
  EXPECT_TRUE(testing::Exists(folder / "23Jul14.pst"));
}

TEST_F(PostWriter, AReadingWithoutSiteNumberLeavesTheHeaderAlone) {
  SetReading(testing::k14July2023At1300);
  form.CurrentReading.Fields[0] = "999";  // a pair the lookup file does not know
  EXPECT_FALSE(Export());                 // the prompt is cancelled: no queued answer
  EXPECT_TRUE(form.RunState.StopRequested);
  Finish();
  EXPECT_EQ(testing::ReadFile(folder / "23Jul14.pst"), Header("7"));
  EXPECT_EQ(form.RunState.ReadingsPosted, 0);
  EXPECT_EQ(form.RunState.PostFileCount, 1);
}

TEST_F(PostWriter, SlotsAreWrittenInTheirPrintForm) {
  SetReading(testing::k14July2023At1300);
  auto& values = form.CurrentReading.Values;
  values.fill(std::nullopt);
  values[16] = 0.0;
  values[15] = -0.25;
  values[2] = 1e15;
  values[1] = 0.000015;
  values[17] = 5.0;  // beyond slot 16: never in a post file
  std::string line;
  AppendPostReadingLine(form.CurrentReading, form.RunState.ReadingTimeDigits, -5, line);
  EXPECT_EQ(line, "-5,45121.5416666667, 0 ,-0.25 " + ZeroSlots(12) + ", 1E+15 , 0.000015  ");
}

TEST_F(PostWriter, ValuesOnlyAboveSlotSixteenGiveSixteenZeros) {
  SetReading(testing::k14July2023At1300);
  form.CurrentReading.Values.fill(std::nullopt);
  form.CurrentReading.Values[20] = 1.0;
  std::string line;
  AppendPostReadingLine(form.CurrentReading, form.RunState.ReadingTimeDigits, 101, line);
  EXPECT_EQ(line, "101,45121.5416666667" + ZeroSlots(16) + " ");
}

TEST_F(PostWriter, NumbersUseAPointWhateverTheLocale) {
  testing::ScriptedPlatform german;
  german.Settings = testing::GermanRegionalSettings();
  Frm_Tolvanex germanForm(german);
  SetReading(testing::k14July2023At1300);
  germanForm.CurrentReading = form.CurrentReading;
  std::string line;
  AppendPostReadingLine(germanForm.CurrentReading, germanForm.RunState.ReadingTimeDigits, 101,
                        line);
  EXPECT_EQ(line + "\r\n", kReadingLine);
}

}  // namespace
}  // namespace tolvanex
