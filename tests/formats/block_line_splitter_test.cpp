#include "formats/block_line_splitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "formats/line_splitter.h"

namespace tolvanex {
namespace {

using Lines = std::vector<std::string>;

Lines InOneGo(std::string_view text) {
  Lines lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

// The text fed in blocks that end at each of the cuts, in order.
Lines InBlocks(std::string_view text, const std::vector<std::size_t>& cuts) {
  Lines lines;
  auto take = [&](std::string_view line) { lines.emplace_back(line); };
  BlockLineSplitter splitter;
  std::size_t start = 0;
  for (std::size_t cut : cuts) {
    splitter.Feed(text.substr(start, cut - start), take);
    start = cut;
  }
  splitter.Feed(text.substr(start), take);
  splitter.Finish(take);
  return lines;
}

// Every text of line ends, empty lines and a last line with or without its end gives, cut into
// two blocks at any byte or into blocks of one byte, the lines it gives in one piece: above all a
// CR that ends one block and an LF that starts the next end one line.
TEST(BlockLineSplitter, GivesTheLinesOfTheWholeTextWhereverTheBlocksEnd) {
  std::mt19937 random(4711);
  const char alphabet[] = {'a', 'b', '\r', '\n', ' '};
  std::vector<std::string> texts{"", "\r", "\n", "\r\n", "\n\r", "a\r\nb", "a\r\r\nb\r", "ab"};
  for (int i = 0; i < 300; ++i) {
    std::string text(random() % 12, ' ');
    for (char& c : text) c = alphabet[random() % 5];
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    SCOPED_TRACE(::testing::PrintToString(text));
    Lines expected = InOneGo(text);
    std::vector<std::size_t> bytes;
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      ASSERT_EQ(InBlocks(text, {cut}), expected) << "cut at " << cut;
      bytes.insert(bytes.end(), {cut, cut});
    }
    ASSERT_EQ(InBlocks(text, bytes), expected) << "one byte a block, empty blocks between";
  }
}

}  // namespace
}  // namespace tolvanex
