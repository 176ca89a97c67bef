#include "formats/line_splitter.h"

#include <gtest/gtest.h>

namespace tolvanex {
namespace {

TEST(SplitFields, KeepsEmptyPiecesAndReusesTheFields) {
  std::vector<std::string_view> fields{"old", "old", "old", "old"};
  SplitFields(",a,,b,", fields);
  EXPECT_EQ(fields, (std::vector<std::string_view>{"", "a", "", "b", ""}));
  SplitFields("no commas", fields);
  EXPECT_EQ(fields, (std::vector<std::string_view>{"no commas"}));
  SplitFields("", fields);
  EXPECT_EQ(fields, (std::vector<std::string_view>{""}));
}

}  // namespace
}  // namespace tolvanex
