#include "ui/sorted_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "tests/support/list_rows.h"

namespace tolvanex {
namespace {

TEST(SortedListBox, SortsWithoutRegardToCaseAndKeepsDuplicates) {
  SortedListBox list;
  list.AddItem("c.txt");
  list.AddItem("A.txt");
  list.AddItem("b.txt");
  list.AddItem("A.txt");
  EXPECT_EQ(testing::Rows(list), (std::vector<std::string>{"A.txt", "A.txt", "b.txt", "c.txt"}));
}

TEST(SortedListBox, RowsAddedAfterAReadTakeTheirSortedPlace) {
  SortedListBox list;
  list.AddItem("m");
  list.AddItem("b");
  ASSERT_EQ(list.List(0), "b");
  list.AddItem("Z");
  list.AddItem("a");
  EXPECT_EQ(testing::Rows(list), (std::vector<std::string>{"a", "b", "m", "Z"}));
}

TEST(SortedListBox, NamesEqualIgnoringCaseKeepTheOrderTheyCameIn) {
  SortedListBox list;
  list.AddItem("x.TXT");
  list.AddItem("X.txt");
  list.List(0);
  list.AddItem("x.txt");
  EXPECT_EQ(testing::Rows(list), (std::vector<std::string>{"x.TXT", "X.txt", "x.txt"}));
}

TEST(SortedListBox, SelectionFollowsItsRowWhenRowsAreAddedBeforeIt) {
  SortedListBox list;
  list.AddItem("m");
  list.AddItem("p");
  list.SetListIndex(1);
  list.AddItem("a");
  list.AddItem("b");
  EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_EQ(list.Text(), "p");
}

TEST(SortedListBox, ClearEmptiesTheListAndItsSelection) {
  SortedListBox list;
  list.AddItem("a");
  list.SetListIndex(0);
  auto revision = list.Revision();
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  EXPECT_GT(list.Revision(), revision);
}

TEST(SortedListBox, RefusesPositionsOutsideTheList) {
  SortedListBox list;
  list.AddItem("a");
  EXPECT_THROW(list.List(1), std::out_of_range);
  EXPECT_THROW(list.SetListIndex(1), std::out_of_range);
  EXPECT_NO_THROW(list.SetListIndex(-1));
}

TEST(SortedListBox, TakesAMillionRowsOfAFewNames) {
  SortedListBox list;
  for (int i = 0; i < 1'000'000; ++i) {
    list.AddItem("site" + std::to_string(i % 20) + ".txt");
    if (i % 100'000 == 0) list.List(0);  // a view reading the list now and then
  }
  ASSERT_EQ(list.ListCount(), 1'000'000);
  EXPECT_EQ(list.List(0), "site0.txt");
  EXPECT_EQ(list.List(999'999), "site9.txt");
  for (std::int64_t i = 1; i < list.ListCount(); i += 997) {
    EXPECT_FALSE(LessIgnoringCase(list.List(i), list.List(i - 1)));
  }
}

// Against a list that inserts every row at its place at once, with reads, selections and rows of
// names equal but for case mixed at random.
TEST(SortedListBox, GivesTheRowsOfAnInsertionOneByOne) {
  const std::vector<std::string> names{"a.txt", "A.TXT", "b.txt", "B.txt", "c", "C.TXT", "zz"};
  std::mt19937 random(5);
  SortedListBox list;
  std::vector<std::string> rows;
  std::int64_t selected = -1;
  for (int step = 0; step < 3000; ++step) {
    switch (random() % 4) {
      case 0:
      case 1: {
        const std::string& name = names[random() % names.size()];
        int count = 1 + static_cast<int>(random() % 3);
        list.AddItems(name, count);
        auto at = std::upper_bound(rows.begin(), rows.end(), name, LessIgnoringCase) - rows.begin();
        rows.insert(rows.begin() + at, static_cast<std::size_t>(count), name);
        if (selected >= at) selected += count;
        break;
      }
      case 2:
        selected = static_cast<std::int64_t>(random() % (rows.size() + 1)) - 1;
        list.SetListIndex(selected);
        break;
      default:
        if (!rows.empty()) {
          std::size_t at = random() % rows.size();
          ASSERT_EQ(list.List(static_cast<std::int64_t>(at)), rows[at]) << step;
        }
        break;
    }
    ASSERT_EQ(list.ListCount(), static_cast<std::int64_t>(rows.size()));
    if (step % 50 == 0) {
      ASSERT_EQ(testing::Rows(list), rows) << step;
      ASSERT_EQ(list.ListIndex(), selected) << step;
    }
  }
}

}  // namespace
}  // namespace tolvanex
