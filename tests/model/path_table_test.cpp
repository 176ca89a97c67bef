#include "model/path_table.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace tolvanex {
namespace {

// Random inserts and erases over a few hundred paths, checked against a map after every one:
// an erase must leave every other path findable, however the slots after it were probed.
TEST(PathTable, FindsWhatAMapFindsThroughInsertsAndErases) {
  std::map<std::string, int> values;  // the keys and values the table points into
  PathTable<int> table;
  std::mt19937 random(11);
  for (int step = 0; step < 20000; ++step) {
    std::string path = "/data/text/" + std::to_string(random() % 400) + "_1.txt";
    auto found = values.find(path);
    if (found == values.end()) {
      auto added = values.emplace(path, step).first;
      table.Insert(added->first, &added->second);
    } else if (random() % 2 == 0) {
      table.Erase(path);
      values.erase(found);
    }
    if (step % 500 == 0) {
      for (int n = 0; n < 400; ++n) {
        std::string key = "/data/text/" + std::to_string(n) + "_1.txt";
        auto inMap = values.find(key);
        EXPECT_EQ(table.Find(key), inMap == values.end() ? nullptr : &inMap->second) << key;
      }
    }
  }
  table.Clear();
  EXPECT_EQ(table.Find(values.begin()->first), nullptr);
}

}  // namespace
}  // namespace tolvanex
