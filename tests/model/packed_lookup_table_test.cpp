#include "model/packed_lookup_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace tolvanex {
namespace {

using Entries = std::vector<LookupEntry>;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

// The first entry of the pair, letter case aside, found the long way; 0 when none.
std::int64_t LinearFind(const Entries& entries, const std::string& id1, const std::string& id2) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (SameIgnoringCase(entries[i].ID1, id1) && SameIgnoringCase(entries[i].ID2, id2)) {
      return static_cast<std::int64_t>(i) + 1;
    }
  }
  return 0;
}

Entries Contents(const PackedLookupTable& table) {
  Entries entries;
  for (std::int64_t i = 1; i <= table.Count(); ++i) entries.push_back(table[i].ToEntry());
  return entries;
}

// Every pair resolves to its first entry while the index grows under appends: with the real hash,
// with one that sends every pair to the same slot (the last, so that probes wrap around) and
// tells them apart only by the bits kept beside the entry number, and with one that does not
// tell them apart at all.
TEST(PackedLookupTable, FindsTheFirstOfEachPairWhileTheIndexGrowsAndHashesCollide) {
  auto sameHome = [](std::string_view id1, std::string_view id2) -> std::uint64_t {
    return HashPairIgnoringCase(id1, id2) | 0xFFFFFFFF00000000u;
  };
  auto sameHash = [](std::string_view, std::string_view) -> std::uint64_t {
    return ~std::uint64_t{0};
  };
  for (LookupPairIndex::PairHash hash : {HashPairIgnoringCase, +sameHome, +sameHash}) {
    std::mt19937 random(99);
    auto id = [&random] {
      const char letters[] = {'a', 'A', 'b', 'B', '1'};
      std::string text(random() % 3, ' ');
      for (char& c : text) c = letters[random() % 5];
      return text;
    };
    PackedLookupTable table(22, hash);
    Entries expected;
    for (int i = 0; i < 1500; ++i) {
      LookupEntry entry{id() + std::to_string(random() % 20), id(), std::to_string(i)};
      table.Append(entry);
      expected.push_back(entry);
      // The first look-up builds the index; every append after it goes into it.
      std::string id1 = id() + std::to_string(random() % 20), id2 = id();
      ASSERT_EQ(table.FindFirst(id1, id2), LinearFind(expected, id1, id2)) << id1 << "/" << id2;
      ASSERT_EQ(table.FindFirst(entry.ID2, entry.ID1), LinearFind(expected, entry.ID2, entry.ID1));
    }
    EXPECT_EQ(Contents(table), expected);
  }
}

// Texts of 0 to 5 000 bytes, any byte value, around the lengths where an entry's lengths leave
// its record and where it outgrows a block, in an arena of 64-byte blocks.
TEST(PackedLookupTable, TextsOfAnyLengthReadBackAndSortAcrossManyArenaBlocks) {
  std::mt19937 random(5);
  const std::size_t lengths[] = {0, 1, 2, 63, 64, 65, 254, 255, 256, 5000};
  auto text = [&](std::size_t length) {
    std::string bytes(length, ' ');
    for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? 'k' : random() % 256);
    return bytes;
  };
  PackedLookupTable table(6);
  Entries expected;
  for (int i = 0; i < 400; ++i) {
    LookupEntry entry{text(lengths[random() % 10]), text(lengths[random() % 10]),
                      text(lengths[random() % 10])};
    if (i % 7 == 0) entry.ID1 = "same";  // equal keys, to see that sorting keeps their order
    if (i % 7 == 0) entry.ID2.clear();
    table.Append(entry);
    expected.push_back(entry);
  }
  EXPECT_GT(table.ArenaBlockCount(), 100u);
  ASSERT_EQ(Contents(table), expected);
  EXPECT_EQ(table.FindFirst("same", ""), LinearFind(expected, "same", ""));

  table.SortByIdentifiers();
  std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
    return a.ID1 != b.ID1 ? std::string_view(a.ID1) < std::string_view(b.ID1) : a.ID2 < b.ID2;
  });
  EXPECT_EQ(Contents(table), expected);
  EXPECT_EQ(table.FindFirst("SAME", ""), LinearFind(expected, "same", ""));
}

}  // namespace
}  // namespace tolvanex
