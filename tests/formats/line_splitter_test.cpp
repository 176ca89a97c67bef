#include "formats/line_splitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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

// Texts of commas, line ends and their near neighbours in value (bytes one apart, and a comma
// with its high bit set), up to several of the search windows long.
TEST(SplitFields, FindTheSameFieldsAndLineEndsAsATestOfEveryByte) {
  std::mt19937 random(7);
  const std::string alphabet = "a,,\r\n\r\n-+\xAC\x8D\x0B.";
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 1600, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];

    std::vector<std::string_view> expected;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
      if (at == text.size() || text[at] == ',') {
        expected.emplace_back(text.data() + start, at - start);
        start = at + 1;
      }
    }
    std::vector<std::string_view> fields;
    SplitFields(text, fields);
    ASSERT_EQ(fields, expected) << round;

    std::size_t from = text.empty() ? 0 : random() % text.size();
    std::size_t lineBreak = text.find_first_of("\r\n", from);
    ASSERT_EQ(FindLineBreak(text, from), lineBreak) << round;
  }
}

}  // namespace
}  // namespace tolvanex
