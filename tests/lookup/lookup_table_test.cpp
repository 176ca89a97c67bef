#include "lookup/lookup_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "system/file_io.h"
#include "tests/support/disk_full.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using Entries = std::vector<LookupEntry>;

class LookupTable : public ::testing::Test {
 protected:
  ~LookupTable() override { io::ResetFaultHook(); }

  bool Load() { return LoadLookupTable(store, path, reports); }
  bool Save() { return SaveLookupFile(store, path, reports); }
  void Sort() { SortLookupTable(store, reports); }
  std::int64_t Capacity() const { return store.Entries.Capacity(); }

  Entries Table() const {
    Entries entries;
    for (std::int64_t i = 1; i <= store.Entries.Count(); ++i)
      entries.push_back(store.Entries[i].ToEntry());
    return entries;
  }
  void SetTable(const Entries& entries) {
    store.Entries = PackedLookupTable();
    for (const LookupEntry& entry : entries) store.Entries.Append(entry);
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(
        std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()));
  }

  testing::TempFolder folder;
  std::string path = folder / "sites.lkp";
  LookupStore store;
  testing::RecordingSink reports;
};

TEST_F(LookupTable, AMissingFileLoadsAsAFreshEmptyTableWithoutAMessage) {
  SetTable({{"old", "1", "1"}, {"old", "2", "2"}});
  EXPECT_TRUE(Load());
  EXPECT_TRUE(store.Loaded);
  EXPECT_EQ(store.Entries.Count(), 0);
  EXPECT_EQ(Capacity(), 50);
  EXPECT_TRUE(reports.Reports.empty());
  EXPECT_FALSE(testing::Exists(path));
}

TEST_F(LookupTable, LinesAreSplitTrimmedAndSkippedByTheFileRules) {
  testing::WriteFile(path,
                     "1, 2, 3\r\n"                // the header line, whatever it holds
                     "1,2\r\n"                    // one comma: skipped
                     "\r\n"                       // empty: skipped
                     "  12 ,X, 501  \r\n"         // spaces around the parts go
                     "a,b,\r\n"                   // an empty SiteID is still an entry
                     "a , b , c , d\r\n"          // parts after the third are ignored
                     "\tT\t,\"q\", 7\r\n"         // tabs and quotes stay
                     "last, line, without end");  // a last line without its end counts
  ASSERT_TRUE(Load());
  EXPECT_EQ(Table(), (Entries{{"12", "X", "501"},
                              {"a", "b", ""},
                              {"a", "b", "c"},
                              {"\tT\t", "\"q\"", "7"},
                              {"last", "line", "without end"}}));
}

TEST_F(LookupTable, EveryKindOfLineEndLoadsTheWholeFile) {
  for (std::string end : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(end == "\n" ? "LF" : end == "\r" ? "CR" : "CR LF");
    testing::WriteFile(path, "ID1, ID2, SiteID" + end + "2031, 7, 4105" + end + "2032, 8, 4106" +
                                 end + end + "2033, 9, 4107" + end);
    ASSERT_TRUE(Load());
    EXPECT_EQ(Table(),
              (Entries{{"2031", "7", "4105"}, {"2032", "8", "4106"}, {"2033", "9", "4107"}}));
  }
}

TEST_F(LookupTable, TheCapacityGrowsTenPastTheCountWhenFull) {
  std::string text = "ID1, ID2, SiteID\r\n";
  for (int i = 1; i <= 50; ++i)
    text += "p, " + std::to_string(i) + ", " + std::to_string(i) + "\r\n";
  testing::WriteFile(path, text);
  ASSERT_TRUE(Load());
  EXPECT_EQ(store.Entries.Count(), 50);
  EXPECT_EQ(Capacity(), 50);

  store.Entries.Append({"p", "51", "51"});
  EXPECT_EQ(Capacity(), 61);
  for (int i = 52; i <= 61; ++i) store.Entries.Append({"p", std::to_string(i), "x"});
  EXPECT_EQ(Capacity(), 61);
  store.Entries.Append({"p", "62", "x"});
  EXPECT_EQ(Capacity(), 72);
  EXPECT_EQ(store.Entries[51], (LookupEntry{"p", "51", "51"}));
  EXPECT_EQ(store.Entries[1], (LookupEntry{"p", "1", "1"}));
}

TEST_F(LookupTable, TablesBeyondSixteenBitCountsLoadGrowAndSave) {
  constexpr int kEntries = 40'000;
  std::string text = "ID1, ID2, SiteID\r\n";
  for (int i = 1; i <= kEntries; ++i)
    text += std::to_string(i) + ", x, " + std::to_string(i) + "\r\n";
  testing::WriteFile(path, text);
  ASSERT_TRUE(Load());
  ASSERT_EQ(store.Entries.Count(), kEntries);
  EXPECT_EQ(store.Entries[32'765], (LookupEntry{"32765", "x", "32765"}));

  store.Entries.Append({"new", "x", "1"});
  EXPECT_EQ(store.Entries.Count(), kEntries + 1);
  ASSERT_TRUE(Save());
  EXPECT_EQ(testing::ReadFile(path), text + "new, x, 1\r\n");

  Sort();
  EXPECT_EQ(store.Entries.Count(), kEntries + 1);
  EXPECT_EQ(store.Entries[1], (LookupEntry{"1", "x", "1"}));
  EXPECT_EQ(store.Entries[2], (LookupEntry{"10", "x", "10"}));
  EXPECT_EQ(store.Entries[kEntries + 1], (LookupEntry{"new", "x", "1"}));
  EXPECT_TRUE(reports.Reports.empty());
}

// The file is read in blocks: a CR LF split between two blocks, a lone CR that ends a block and
// an entry cut in the middle each load as in one piece.
TEST_F(LookupTable, LinesAcrossTheReadBlocksLoadAsInOnePiece) {
  std::string text = "ID1, ID2, SiteID\r\n";
  Entries expected;
  auto add = [&](const std::string& id1, const std::string& siteID, std::string_view end) {
    text += id1 + ", " + std::to_string(expected.size()) + ", " + siteID;
    text += end;
    expected.push_back({id1, std::to_string(expected.size()), siteID});
  };
  // Entries up to the size given, the last one's SiteID padded to end there exactly.
  auto fillTo = [&](std::size_t size, std::string_view end) {
    while (text.size() + 40 < size) add("fill", "1", "\r\n");
    std::string id1 = "pad";
    std::size_t bare = text.size() + id1.size() + 4 + std::to_string(expected.size()).size();
    add(id1, std::string(size - bare - end.size(), '7'), end);
  };
  const std::size_t block = kLookupReadBlockBytes;
  fillTo(block + 1, "\r\n");  // CR last in the first block, LF first in the second
  add("after", "crlf", "\r\n");
  fillTo(2 * block, "\r");  // a lone CR last in the second block
  add("after", "cr", "\r\n");
  fillTo(3 * block - 5, "\r\n");
  add("straddling", "3", "\r\n");
  add("last", "without end", "");
  testing::WriteFile(path, text);
  ASSERT_TRUE(Load());
  EXPECT_EQ(Table(), expected);
}

TEST_F(LookupTable, AZeroByteFileFailsAndKeepsTableAndFile) {
  SetTable({{"kept", "1", "5"}});
  testing::WriteFile(path, "");
  EXPECT_FALSE(Load());
  EXPECT_FALSE(store.Loaded);
  EXPECT_EQ(Table(), (Entries{{"kept", "1", "5"}}));
  EXPECT_EQ(reports.Texts(),
            (std::vector<std::string>{"Input past end of file\r\nTolvanex:LoadLookup"}));
  EXPECT_EQ(testing::ReadFile(path), "");
}

TEST_F(LookupTable, AReadErrorIsTheSystemsFailureAndKeepsTheTable) {
  SetTable({{"kept", "1", "5"}});
  testing::WriteFile(path, "ID1, ID2, SiteID\r\na, b, c\r\n");
  testing::FailingFiles failing([](io::FileOperation operation, const std::string&) {
    return operation == io::FileOperation::Read ? EIO : 0;
  });
  EXPECT_FALSE(Load());
  EXPECT_FALSE(store.Loaded);
  EXPECT_EQ(Table(), (Entries{{"kept", "1", "5"}}));
  EXPECT_EQ(reports.Texts(),
            (std::vector<std::string>{"Input/output error\r\nTolvanex:LoadLookup"}));
}

TEST_F(LookupTable, SavingWritesTheHeaderAndCommaBlankSeparatedFields) {
  testing::WriteFile(path, "whatever\r\na,b,c\r\n");
  ASSERT_TRUE(Load());
  store.Entries.Append({"x", "", ""});
  ASSERT_TRUE(Save());
  EXPECT_EQ(testing::ReadFile(path), "ID1, ID2, SiteID\r\na, b, c\r\nx, , \r\n");
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(LookupTable, ATableIsSavedToThePathItIsGiven) {
  testing::WriteFile(path, "ID1, ID2, SiteID\r\na, b, c\r\n");
  ASSERT_TRUE(Load());
  path = folder / "other.lkp";
  ASSERT_TRUE(Save());
  EXPECT_EQ(testing::ReadFile(folder / "other.lkp"), "ID1, ID2, SiteID\r\na, b, c\r\n");
}

TEST_F(LookupTable, ASaveIntoAMissingFolderFailsAndCreatesNothing) {
  path = folder / "missing/sites.lkp";
  SetTable({{"a", "b", "c"}});
  EXPECT_FALSE(Save());
  EXPECT_EQ(reports.Texts(), (std::vector<std::string>{testing::MissingFolderText() +
                                                       "\r\nTolvanex:SaveLookupFile: " + path}));
  EXPECT_EQ(FilesInFolder(), 0u);
  EXPECT_EQ(Table(), (Entries{{"a", "b", "c"}}));
}

TEST_F(LookupTable, ASaveThatFailsHalfWayKeepsTheOldFileByteForByte) {
  const std::string old = "ID1, ID2, SiteID\r\nold, 1, 10\n";
  testing::WriteFile(path, old);
  SetTable({{"new", "1", "10"}, {"new", "2", "20"}, {"new", "3", "30"}});
  // The disk fills up after 20 bytes of the new content.
  {
    testing::DiskFullAfter full(20);
    EXPECT_FALSE(Save());
    EXPECT_EQ(full.BytesLeft(), 0u);
  }
  EXPECT_EQ(testing::ReadFile(path), old);
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary left behind
  EXPECT_EQ(Table(), (Entries{{"new", "1", "10"}, {"new", "2", "20"}, {"new", "3", "30"}}));
  EXPECT_EQ(
      reports.Texts(),
      (std::vector<std::string>{"No space left on device\r\nTolvanex:SaveLookupFile: " + path}));
}

TEST_F(LookupTable, SortingOrdersByIdentifiersAsTextKeepingEqualPairsInOrder) {
  SetTable({{"B", "1", ""}, {"A", "2", ""}, {"A", "10", ""}});
  Sort();
  EXPECT_EQ(Table(), (Entries{{"A", "10", ""}, {"A", "2", ""}, {"B", "1", ""}}));

  // Ordinal bytes: digits, then upper case, then lower case, then anything beyond ASCII; a prefix
  // sorts first; equal pairs keep their order whatever their SiteID.
  SetTable({{"\xC3\xA9", "1", "e"},
            {"a", "1", "first"},
            {"ab", "1", ""},
            {"B", "1", ""},
            {"a", "1", "second"},
            {"9", "1", ""},
            {"10", "1", ""}});
  Sort();
  EXPECT_EQ(Table(), (Entries{{"10", "1", ""},
                              {"9", "1", ""},
                              {"B", "1", ""},
                              {"a", "1", "first"},
                              {"a", "1", "second"},
                              {"ab", "1", ""},
                              {"\xC3\xA9", "1", "e"}}));
}

TEST_F(LookupTable, SortingLeavesShortTablesAsTheyAre) {
  for (const Entries& entries : {Entries{}, Entries{{"z", "1", ""}}}) {
    SetTable(entries);
    Sort();
    EXPECT_EQ(Table(), entries);
  }
  EXPECT_TRUE(reports.Reports.empty());
}

// The table after exchanging out-of-order neighbours until a pass makes no exchange.
Entries ExchangeSorted(Entries entries) {
  for (bool exchanged = true; exchanged;) {
    exchanged = false;
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
      const auto &a = entries[i], &b = entries[i + 1];
      if (a.ID1 == b.ID1 ? a.ID2 > b.ID2 : a.ID1 > b.ID1) {
        std::swap(entries[i], entries[i + 1]);
        exchanged = true;
      }
    }
  }
  return entries;
}

TEST_F(LookupTable, SortingGivesWhatNeighbourExchangesGiveWithManyDuplicates) {
  std::mt19937 random(7);
  const std::vector<std::string> ids{"", "1", "10", "9", "a", "A", "ab", " a"};
  for (int round = 0; round < 20; ++round) {
    Entries entries;
    for (int i = 0; i < 200; ++i) {
      entries.push_back(
          {ids[random() % ids.size()], ids[random() % ids.size()], std::to_string(i)});
    }
    SetTable(entries);
    Sort();
    ASSERT_EQ(Table(), ExchangeSorted(entries));
  }
}

}  // namespace
}  // namespace tolvanex
