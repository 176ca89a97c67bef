#include "system/profile_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "system/file_io.h"
#include "tests/settings/profile_file_fixture.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using testing::ProfileFile;

struct ReadCase {
  const char* Name;
  std::string Text;
  const char* Key;
  const char* Default;
  std::string Expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesTheValueOrTheDefault) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(ProfileGetString(c.Text, "General", c.Key, c.Default), c.Expected);
}

const std::string kComments =
    "; written by hand\r\n\r\n[General]\r\n; old: DataFile=/x\r\n\r\n"
    "DataFile=/a.dat\r\n\r\n[Other]\r\nExtension=csv\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    ::testing::Values(
        ReadCase{"Plain", "[General]\r\nDataFile=C:\\a.dat", "DataFile", "d", "C:\\a.dat"},
        ReadCase{"CaseAndBlanks", "[general]\r\ndatafile = C:\\a.dat   ", "DataFile", "d",
                 "C:\\a.dat"},
        ReadCase{"DoubleQuotes", "[General]\r\nDataFile=\"C:\\My Data\\a.dat\"", "DataFile", "d",
                 "C:\\My Data\\a.dat"},
        ReadCase{"SingleQuotesKeepBlanks", "[General]\r\nDataFile=' x '", "DataFile", "d", " x "},
        ReadCase{"PresentButEmpty", "[General]\r\nDataFile=", "DataFile", "d", ""},
        ReadCase{"NoEquals", "[General]\r\nDataFile", "DataFile", "d", "d"},
        ReadCase{"NoCommentSyntax", "[General]\r\n;DataFile=x", "DataFile", "d", "d"},
        ReadCase{"AboveTheFirstHeader", "DataFile=x\r\n[General]", "DataFile", "d", "d"},
        ReadCase{"FirstDuplicateWins", "[General]\r\nDataFile=a\r\nDataFile=b", "DataFile", "d",
                 "a"},
        ReadCase{"NoEqualsShadowsALaterLine", "[General]\r\nDataFile\r\nDataFile=b", "DataFile",
                 "d", "d"},
        ReadCase{"OnlyTheFirstSectionIsSearched", "[General]\r\nA=1\r\n[GENERAL]\r\nB=2", "B", "d",
                 "d"},
        ReadCase{"KeyOfAnotherSection", "[Other]\r\nDataFile=x\r\n[General]\r\nA=1", "DataFile",
                 "d", "d"},
        ReadCase{"EmptyText", "", "DataFile", "C:\\Data  ", "C:\\Data"},
        ReadCase{"DefaultKeepsLeadingBlanks", "", "DataFile", " 'q' ", " 'q'"},
        ReadCase{"DefaultQuotesGo", "", "DataFile", "\"q\"", "q"},
        ReadCase{"CrOnly", "[General]\rDataFile=a\rExtension=b\r", "Extension", "d", "b"},
        ReadCase{"LfOnly", "[General]\nDataFile=a\nExtension=b\n", "Extension", "d", "b"},
        ReadCase{"TabsAndFormFeeds", "\t[ General ]  x\r\n\tExtension\t=\tb \f\r\n", "Extension",
                 "d", "b"},
        ReadCase{"NameUpToTheLastBracket", "[General]x]\r\nA=1\r\n[General]\r\nA=2", "A", "d", "2"},
        ReadCase{"BracketWithoutCloseIsAnEntry", "[General]\r\nA=1\r\n[Other\r\nB=2", "B", "d",
                 "2"},
        ReadCase{"NoEndOfLineComments", "[General]\r\nExtension=txt ; old", "Extension", "d",
                 "txt ; old"},
        ReadCase{"OnePairOfQuotesOnly", "[General]\r\nA=\"\"x\"\"", "A", "d", "\"x\""},
        ReadCase{"MismatchedQuotesStay", "[General]\r\nA='x\"", "A", "d", "'x\""},
        ReadCase{"OneSidedQuoteStays", "[General]\r\nA=\"x", "A", "d", "\"x"},
        ReadCase{"ALoneQuoteStays", "[General]\r\nA=\"", "A", "d", "\""},
        ReadCase{"Comments", kComments, "DataFile", "d", "/a.dat"},
        ReadCase{"CommentsOtherSection", kComments, "Extension", "d", "d"},
        ReadCase{"LongValueCut", "[General]\r\nA=" + std::string(300, 'v'), "A", "d",
                 std::string(254, 'v')},
        ReadCase{"CutNeverSplitsAUtf8Character",
                 "[General]\r\nA=" + std::string(253, 'v') + "\xC3\xA9", "A", "d",
                 std::string(253, 'v')},
        ReadCase{"CutInBytesThatAreNotUtf8", "[General]\r\nA=" + std::string(300, '\xA9'), "A", "d",
                 std::string(254, '\xA9')}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ProfileGetString, IgnoresBlanksAroundTheCallersNamesAndCutsToTheBuffer) {
  EXPECT_EQ(ProfileGetString("[General]\r\nkey=val1", " General\t", " KEY ", "d"), "val1");
  EXPECT_EQ(ProfileGetString("[General]\r\nkey=val1", "General", "key", "d", 4), "val");
  EXPECT_EQ(ProfileGetString("[General]\r\nkey=val1", "General", "key", "d", 1), "");
}

struct WriteCase {
  const char* Name;
  std::string Before;
  const char* Key;
  std::string Value;
  std::string After;
};

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, EditsOnlyTheLineOfTheKey) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(ProfileSetString(c.Before, "General", c.Key, c.Value), c.After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    ::testing::Values(
        WriteCase{"NewText", "", "DataFile", "C:\\a.dat", "[General]\r\nDataFile=C:\\a.dat\r\n"},
        WriteCase{"NewSectionAtTheEnd", "[Other]\r\nk=v\r\n", "DataFile", "x",
                  "[Other]\r\nk=v\r\n[General]\r\nDataFile=x\r\n"},
        WriteCase{"NewSectionAfterAMissingLineEnd", "[Other]\r\nk=v", "DataFile", "x",
                  "[Other]\r\nk=v\r\n[General]\r\nDataFile=x\r\n"},
        WriteCase{"ReplacedInPlace", "[General]\r\nDataFile=old\r\nExtension=txt\r\n", "DataFile",
                  "new", "[General]\r\nDataFile=new\r\nExtension=txt\r\n"},
        WriteCase{"KeepsTheFilesSpellingAndLineEnd", "[general]\n  datafile = old  \nX=1\n",
                  "DataFile", "new", "[general]\ndatafile=new\nX=1\n"},
        WriteCase{"CrOnly", "[General]\rDataFile=old\rX=1\r", "DataFile", "new",
                  "[General]\rDataFile=new\rX=1\r"},
        WriteCase{"LastLineWithoutLineEnd", "[General]\r\nDataFile=old", "DataFile", "new",
                  "[General]\r\nDataFile=new"},
        WriteCase{"KeyLineWithoutEquals", "[General]\r\nDataFile\r\n", "DataFile", "x",
                  "[General]\r\nDataFile=x\r\n"},
        WriteCase{"FirstDuplicateOnly", "[General]\r\nA=1\r\nA=2\r\n", "A", "3",
                  "[General]\r\nA=3\r\nA=2\r\n"},
        WriteCase{"NewKeyBeforeBlankLinesAndTheNextHeader",
                  "[General]\r\nA=1\r\n\r\n\r\n[Other]\r\nk=v\r\n", "B", "2",
                  "[General]\r\nA=1\r\nB=2\r\n\r\n\r\n[Other]\r\nk=v\r\n"},
        WriteCase{"NewKeyAfterACommentLine", "[General]\r\nA=1\r\n; note\r\n\r\n", "B", "2",
                  "[General]\r\nA=1\r\n; note\r\nB=2\r\n\r\n"},
        WriteCase{"NewKeyUnderAHeaderWithoutLineEnd", "[General]", "A", "1",
                  "[General]\r\nA=1\r\n"},
        WriteCase{"NewKeyGoesToTheFirstOfTwoSections", "[General]\r\nA=1\r\n[general]\r\nB=2\r\n",
                  "B", "3", "[General]\r\nA=1\r\nB=3\r\n[general]\r\nB=2\r\n"},
        WriteCase{"BytesBeforeTheFirstSectionStay",
                  "\xEF\xBB\xBF  junk\x01 = 1 \r\n\x1A\r\n[General]\r\nA=1\r\n", "A", "2",
                  "\xEF\xBB\xBF  junk\x01 = 1 \r\n\x1A\r\n[General]\r\nA=2\r\n"},
        WriteCase{"ValueCannotAddLines", "[General]\r\nA=1\r\n", "A", "x\r\n[Evil]\rB=\n2",
                  "[General]\r\nA=x[Evil]B=2\r\n"},
        WriteCase{"ValueEndsAtANul", "", "A", std::string("ab\0cd", 5), "[General]\r\nA=ab\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Whatever the text, a written key reads back as written and every other key reads as before.
TEST(ProfileSetString, WritesWhatReadsBackAndNothingElse) {
  const std::string texts[] = {
      "",
      kComments,
      "[General]\rA=1\r\r[Other]\rB=2",
      "X=0\n[general]\nb = 7\n[General]\na=9\n",
      "[Other]\r\nA=5\r\n[General]\r\n",
  };
  const char* keys[] = {"A", "B", "DataFile", "Extension", "X"};
  for (const std::string& text : texts) {
    for (const char* written : keys) {
      std::string after = ProfileSetString(text, "General", written, "v 1");
      EXPECT_EQ(ProfileGetString(after, "general", written, "d"), "v 1") << text << written;
      for (const char* other : keys) {
        if (std::string_view(other) == written) continue;
        for (const char* section : {"General", "Other"}) {
          EXPECT_EQ(ProfileGetString(after, section, other, "d"),
                    ProfileGetString(text, section, other, "d"))
              << text << written << other;
        }
      }
      EXPECT_EQ(ProfileGetString(after, "Other", written, "d"),
                ProfileGetString(text, "Other", written, "d"));
    }
  }
}

TEST_F(ProfileFile, AMissingFileGivesTheDefaultAndIsCreatedByTheFirstWrite) {
  EXPECT_EQ(ReadProfileEntry(path_, "General", "DataFile", "C:\\Data  "), "C:\\Data");
  EXPECT_FALSE(testing::Exists(path_));
  EXPECT_TRUE(WriteProfileEntry(path_, "General", "DataFile", "C:\\a.dat"));
  EXPECT_TRUE(WriteProfileEntry(path_, "General", "SortLookup", "1"));
  EXPECT_EQ(testing::ReadFile(path_), "[General]\r\nDataFile=C:\\a.dat\r\nSortLookup=1\r\n");
  EXPECT_EQ(ReadProfileEntry(path_, "General", "datafile", "d"), "C:\\a.dat");
}

TEST_F(ProfileFile, AFileThatCannotBeReadIsAFailureAndIsNeverReplaced) {
  ASSERT_TRUE(std::filesystem::create_directory(path_));
  EXPECT_THROW(ReadProfileEntry(path_, "General", "DataFile", "d"), std::system_error);
  EXPECT_FALSE(WriteProfileEntry(path_, "General", "DataFile", "x"));
  EXPECT_TRUE(std::filesystem::is_directory(path_));
}

TEST_F(ProfileFile, RefusedWritesLeaveEverythingAsItWas) {
  EXPECT_FALSE(WriteProfileEntry(folder_ / "missing/tolvanex.ini", "General", "A", "1"));
  EXPECT_FALSE(testing::Exists(folder_ / "missing"));

  testing::WriteFile(path_, "[General]\r\nA=old\r\n");
  testing::MakeReadOnly(path_);
  EXPECT_FALSE(WriteProfileEntry(path_, "General", "A", "new"));
  EXPECT_EQ(testing::ReadFile(path_), "[General]\r\nA=old\r\n");
  EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
}  // namespace tolvanex
