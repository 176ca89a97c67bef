// The lookup table's routines against a plain model of the table: a list of owned entries, found
// by a look through them in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "lookup/lookup_table.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

struct ReferenceTable {
  std::vector<LookupEntry> Entries;
  std::int64_t Capacity = 0;

  static std::string Upper(std::string text) {
    for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
  }
  void Append(const LookupEntry& entry) {
    Entries.push_back(entry);
    auto count = static_cast<std::int64_t>(Entries.size());
    if (count > Capacity) Capacity = count + 10;
  }
  void Reload() {
    std::vector<LookupEntry> entries = std::move(Entries);
    Entries.clear();
    Capacity = 50;
    for (const LookupEntry& entry : entries) Append(entry);
  }
  void Sort() {
    std::stable_sort(Entries.begin(), Entries.end(), [](const auto& a, const auto& b) {
      return a.ID1 != b.ID1 ? a.ID1 < b.ID1 : a.ID2 < b.ID2;
    });
  }
  std::int64_t Find(const std::string& id1, const std::string& id2) const {
    for (std::size_t i = 0; i < Entries.size(); ++i) {
      if (Upper(Entries[i].ID1) == Upper(id1) && Upper(Entries[i].ID2) == Upper(id2)) {
        return static_cast<std::int64_t>(i) + 1;
      }
    }
    return 0;
  }
};

std::vector<LookupEntry> Contents(const PackedLookupTable& table) {
  std::vector<LookupEntry> entries;
  for (std::int64_t i = 1; i <= table.Count(); ++i) entries.push_back(table[i].ToEntry());
  return entries;
}

// Random appends (pairs that repeat in every mix of letter case), sorts, saves and loads, and
// look-ups: the table holds what the model holds, in its order, with its capacity, and every
// pair resolves to the model's first entry.
TEST(LookupTableAgainstAModel, AgreesOverRandomOperations) {
  testing::TempFolder folder;
  const std::string path = folder / "sites.lkp";
  LookupStore store;
  testing::RecordingSink reports;
  ReferenceTable model;
  std::mt19937 random(2024);
  auto id = [&random] {
    const char letters[] = {'x', 'X', 'y', 'Y', '7'};
    std::string text(random() % 3, ' ');
    for (char& c : text) c = letters[random() % 5];
    return text;
  };
  for (int step = 0; step < 3000; ++step) {
    int operation = static_cast<int>(random() % 100);
    if (operation < 60) {
      LookupEntry entry{id(), id(), std::to_string(step)};
      store.Entries.Append(entry);
      model.Append(entry);
    } else if (operation < 65) {
      SortLookupTable(store, reports);
      model.Sort();
    } else if (operation < 68) {
      ASSERT_TRUE(SaveLookupFile(store, path, reports));
      ASSERT_TRUE(LoadLookupTable(store, path, reports));
      model.Reload();
    } else {
      std::string id1 = id(), id2 = id();
      ASSERT_EQ(store.Entries.FindFirst(id1, id2), model.Find(id1, id2)) << id1 << "/" << id2;
    }
    ASSERT_EQ(store.Entries.Count(), static_cast<std::int64_t>(model.Entries.size()));
    ASSERT_EQ(store.Entries.Capacity(), model.Capacity);
    if (step % 100 == 0) {
      ASSERT_EQ(Contents(store.Entries), model.Entries) << "step " << step;
    }
  }
  EXPECT_EQ(Contents(store.Entries), model.Entries);
  EXPECT_TRUE(reports.Reports.empty());
}

}  // namespace
}  // namespace tolvanex
