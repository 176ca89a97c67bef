#include "core/text_writer.h"

#include <cerrno>
#include <string>
#include <vector>

#include "system/file_io.h"
#include "tests/core/writer_fixture.h"
#include "tests/support/disk_full.h"
#include "tests/support/german_settings.h"

namespace tolvanex {
namespace {

const std::string kHeader = "Date, SN, 0.7, 1.5, 2.5 \r\n";
const std::string kLine0905 = "14 Jul 2023 09:05, 7, 12.5, , -3 \r\n";

class TextWriter : public testing::WriterTest {
 protected:
  std::string PairFile() const { return folder / "123_4.txt"; }
  // One reading as a run of its own: the file is closed after it.
  bool Export(double time) {
    SetReading(time);
    bool written = WriteToTextFile(conversion);
    EXPECT_TRUE(CloseTextFiles(conversion));
    return written;
  }
};

TEST_F(TextWriter, TheFirstReadingCreatesTheFileWithItsHeader) {
  ASSERT_TRUE(Export(testing::k14July2023At0905));
  EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + kLine0905);
  EXPECT_EQ(session.Run.ReadingsPosted, 1);
  EXPECT_EQ(observer.TextFileUses, std::vector<std::string>{"123_4.txt"});
  EXPECT_EQ(conversion.Status(), PairFile());
}

TEST_F(TextWriter, AReadingMetAgainIsSkippedButListed) {
  ASSERT_TRUE(Export(testing::k14July2023At0905));
  ASSERT_TRUE(Export(testing::k14July2023At0905 + 40 * testing::kOneSecond));
  EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + kLine0905);
  EXPECT_EQ(conversion.Status(), "Skipping: " + PairFile());
  EXPECT_EQ(observer.TextFileUses, std::vector<std::string>(2, "123_4.txt"));
  EXPECT_EQ(session.Run.ReadingsPosted, 1);
}

TEST_F(TextWriter, AReadingAWholeMinuteNewerIsAppended) {
  struct Case {
    int seconds;
    bool appended;
  };
  for (Case c : {Case{59, false}, Case{60, true}, Case{61, true}, Case{-120, false}}) {
    testing::WriteFile(PairFile(), kHeader + kLine0905);
    ASSERT_TRUE(Export(testing::k14July2023At0905 + c.seconds * testing::kOneSecond));
    std::string content = testing::ReadFile(PairFile());
    EXPECT_EQ(content.size() > (kHeader + kLine0905).size(), c.appended) << c.seconds;
  }
}

TEST_F(TextWriter, MinuteReadingsAreAllKeptAndASecondRunAddsNothing) {
  for (int run = 0; run < 2; ++run) {
    for (int minute = 0; minute < 5; ++minute) {
      ASSERT_TRUE(Export(testing::k14July2023At0905 + minute / 1440.0));
    }
  }
  EXPECT_EQ(testing::ReadFile(PairFile()),
            kHeader + kLine0905 + "14 Jul 2023 09:06, 7, 12.5, , -3 \r\n" +
                "14 Jul 2023 09:07, 7, 12.5, , -3 \r\n" + "14 Jul 2023 09:08, 7, 12.5, , -3 \r\n" +
                "14 Jul 2023 09:09, 7, 12.5, , -3 \r\n");
}

TEST_F(TextWriter, AFileOfTenBytesIsWrittenAnewAndOneOfElevenAppended) {
  testing::WriteFile(PairFile(), "0123456789");
  ASSERT_TRUE(Export(testing::k14July2023At0905));
  EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + kLine0905);

  testing::WriteFile(PairFile(), "0123456789A\r\n");
  ASSERT_TRUE(Export(testing::k14July2023At0905));
  EXPECT_EQ(testing::ReadFile(PairFile()), "0123456789A\r\n" + kLine0905);
}

TEST_F(TextWriter, ALastLineWithoutItsEndIsEndedBeforeTheReading) {
  for (std::string last :
       {"14 Jul 2023 08:00, 7, 1", "14 Jul 2023 08:00, 7, 1\n", "14 Jul 2023 08:00, 7, 1\r"}) {
    testing::WriteFile(PairFile(), kHeader + last);
    ASSERT_TRUE(Export(testing::k14July2023At0905));
    bool ended = last.back() == '\n' || last.back() == '\r';
    EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + last + (ended ? "" : "\r\n") + kLine0905);
  }
}

// A kill can cut the last line in the middle of a reading: its date is not trusted, so the
// reading comes again whole after it, and the cut piece stays as it was.
TEST_F(TextWriter, AReadingCutByAKillIsWrittenAgainWhole) {
  std::string cut = kLine0905.substr(0, 25);
  testing::WriteFile(PairFile(), kHeader + cut);
  ASSERT_TRUE(Export(testing::k14July2023At0905));
  EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + cut + "\r\n" + kLine0905);
  ASSERT_TRUE(Export(testing::k14July2023At0905));  // and only once
  EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + cut + "\r\n" + kLine0905);
}

TEST_F(TextWriter, AHeaderOnlyFileGetsTheReadingWithoutASecondHeader) {
  testing::WriteFile(PairFile(), kHeader);
  ASSERT_TRUE(Export(testing::k14July2023At0905));
  EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + kLine0905);
}

// The file's end is read once for its last date and how it ends; when that read fails, the end
// is looked at on its own, which fails too and ends the run, the file kept as it was.
TEST_F(TextWriter, AFileWhoseEndCannotBeReadIsReportedAndKept) {
  testing::WriteFile(PairFile(), kHeader + "14 Jul 2023 08:00, 7, 1");
  {
    testing::FailingFiles failing([](io::FileOperation operation, const std::string&) {
      return operation == io::FileOperation::Read ? EIO : 0;
    });
    EXPECT_FALSE(Export(testing::k14July2023At0905));
  }
  EXPECT_EQ(
      observer.ReportTexts(),
      (std::vector<std::string>{"Input/output error\r\nTolvanex:LastDateInFile: " + PairFile(),
                                "Input/output error\r\nTolvanex:ExportPostFile: " + PairFile()}));
  EXPECT_EQ(testing::ReadFile(PairFile()), kHeader + "14 Jul 2023 08:00, 7, 1");
}

TEST_F(TextWriter, EmptyPartsOfTheNameStayEmpty) {
  SetReading(testing::k14July2023At0905);
  conversion.Reading.Fields[0] = "";
  ASSERT_TRUE(WriteToTextFile(conversion));
  ASSERT_TRUE(CloseTextFiles(conversion));
  EXPECT_TRUE(testing::Exists(folder / "_4.txt"));
  request.Extension = "";
  ASSERT_TRUE(WriteToTextFile(conversion));
  EXPECT_TRUE(testing::Exists(folder / "_4."));
}

TEST_F(TextWriter, IdentifiersThatWouldLeaveTheFolderAreRefused) {
  testing::TempFolder elsewhere;
  for (std::string id : {std::string("../x"), elsewhere / "x", std::string("a\tb")}) {
    observer.Reports.clear();
    session.Run.StopRequested = false;
    SetReading(testing::k14July2023At0905);
    conversion.Reading.Fields[0] = id;
    EXPECT_FALSE(WriteToTextFile(conversion)) << id;
    EXPECT_TRUE(session.Run.StopRequested);
    ASSERT_EQ(observer.Reports.size(), 1u);
    EXPECT_EQ(observer.ReportTexts()[0],
              "Identifier not allowed in a file name\r\nTolvanex:"
              "ExportPostFile: " +
                  (folder / "") + id + "_4.txt");
  }
  EXPECT_FALSE(testing::Exists(folder / "x_4.txt"));
  EXPECT_FALSE(testing::Exists(elsewhere / "x_4.txt"));
  EXPECT_TRUE(observer.TextFileUses.empty());
}

TEST_F(TextWriter, AMissingOutputFolderStopsTheRun) {
  request.TextFolder = folder / "missing";
  EXPECT_FALSE(Export(testing::k14July2023At0905));
  EXPECT_TRUE(session.Run.StopRequested);
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            testing::MissingFolderText() +
                "\r\nTolvanex:ExportPostFile: " + (folder / "missing/123_4.txt"));
}

TEST_F(TextWriter, NumbersUseAPointWhateverTheLocale) {
  ConversionRequest germanRequest = request;
  germanRequest.Regional = testing::GermanRegionalSettings();
  germanRequest.DatePattern = "yyyy-mm-dd HH:MM";
  EngineSession germanSession;
  Conversion german(germanRequest, observer, germanSession);
  SetReading(testing::k14July2023At0905);
  german.Reading = conversion.Reading;
  german.Reading.Values[2] = 0.5;
  EXPECT_EQ(TextFileHeader(german), "Date, SN, 0.7, 1.5, 2.5 ");
  std::string line;
  AppendTextReadingLine(german, line);
  EXPECT_EQ(line, "2023-07-14 09:05, 7, 12.5, 0.5, -3 ");
}

class LastDate : public testing::WriterTest {
 protected:
  double LastDateOf(std::string_view content) {
    testing::WriteFile(folder / "f.txt", content);
    return LastDateInFile(conversion, folder / "f.txt");
  }
};

TEST_F(LastDate, IsTheDateOfTheLastDatedLine) {
  EXPECT_NEAR(LastDateOf(kHeader + kLine0905 + "garbage\r\n"), testing::k14July2023At0905, 1e-9);
  EXPECT_EQ(LastDateOf(kHeader), 0.0);
  EXPECT_EQ(LastDateInFile(conversion, folder / "missing.txt"), 0.0);
  EXPECT_TRUE(observer.Reports.empty());
}

TEST_F(LastDate, ReadsLinesEndedByLineFeedsOrCarriageReturnsAlone) {
  EXPECT_NEAR(LastDateOf("Date, SN \n14 Jul 2023 09:05, 7, 1 \n"), testing::k14July2023At0905,
              1e-9);
  EXPECT_NEAR(LastDateOf("Date, SN \r14 Jul 2023 09:05, 7, 1 \r"), testing::k14July2023At0905,
              1e-9);
}

TEST_F(LastDate, IsNeverReadFromALastLineWithoutItsEnd) {
  EXPECT_EQ(LastDateOf(kHeader + "14 Jul 2023 09:05, 7"), 0.0);
  EXPECT_NEAR(LastDateOf(kHeader + "13 Jul 2023 09:05, 7\r\n14 Jul 2023 09:05, 7"),
              testing::k14July2023At0905 - 1, 1e-9);
  // A cut line longer than the first look at the file's end is passed over too.
  EXPECT_NEAR(
      LastDateOf(kHeader + "13 Jul 2023 09:05, 7\r\n14 Jul 2023 09:05, " + std::string(3000, '7')),
      testing::k14July2023At0905 - 1, 1e-9);
}

TEST_F(LastDate, LooksBackPastALongLastLine) {
  std::string longLine = "x, " + std::string(3000, 'y') + "\r\n";
  EXPECT_NEAR(LastDateOf(kHeader + kLine0905 + longLine), testing::k14July2023At0905, 1e-9);
}

TEST_F(LastDate, NeverReadsALineCutByTheWindow) {
  // The window of the last 1024 bytes starts one byte into the only dated line, where
  // "3 Jul 2023 09:05" would read as a date of its own.
  std::string dated = "13 Jul 2023 09:05, " + std::string(1004, 'z') + "\r\n";
  ASSERT_EQ((kHeader + dated).size(), 1024u + kHeader.size() + 1);
  double found = LastDateOf(kHeader + dated);
  EXPECT_NEAR(found, testing::k14July2023At0905 - 1, 1e-9);
}

TEST_F(LastDate, ADateFormatWithACommaLosesTheTime) {
  // "Jul 14, 2023 09:05" is cut at its comma: "Jul 14" reads as midnight of that day in the
  // current year, so the reading always looks newer than the file.
  request.CurrentYear = 2023;
  request.DatePattern = "mmm d, yyyy HH:MM";
  SetReading(testing::k14July2023At0905);
  ASSERT_TRUE(WriteToTextFile(conversion));
  ASSERT_TRUE(CloseTextFiles(conversion));
  EXPECT_EQ(LastDateInFile(conversion, folder / "123_4.txt"), 45121.0);
  ASSERT_TRUE(WriteToTextFile(conversion));  // so the same reading is written again
  ASSERT_TRUE(CloseTextFiles(conversion));
  EXPECT_EQ(session.Run.ReadingsPosted, 2);
}

TEST_F(TextWriter, ASecondRunOverALongLastLineAppendsNothing) {
  testing::WriteFile(PairFile(), kHeader + "14 Jul 2023 09:05, " + std::string(2000, '7') + "\r\n");
  ASSERT_TRUE(Export(testing::k14July2023At0905));
  EXPECT_EQ(session.Run.ReadingsPosted, 0);
}

}  // namespace
}  // namespace tolvanex
