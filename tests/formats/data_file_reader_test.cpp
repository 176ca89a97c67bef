#include "formats/data_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

std::vector<std::string> LinesOf(std::string_view bytes, std::size_t blockSize = 1u << 20) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "data.dat", bytes);
  DataFileReader reader(folder / "data.dat", blockSize);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.ReadLine(line)) lines.emplace_back(line);
  EXPECT_EQ(reader.BytesRead(), bytes.size());
  EXPECT_EQ(reader.Size(), bytes.size());
  return lines;
}

using Lines = std::vector<std::string>;

TEST(DataFileReader, EveryKindOfLineEndEndsALine) {
  EXPECT_EQ(LinesOf("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(LinesOf("a\n\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(LinesOf("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(LinesOf("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(DataFileReader, TheLastLineNeedsNoEnd) {
  EXPECT_EQ(LinesOf("only"), (Lines{"only"}));
  EXPECT_EQ(LinesOf("x\r\n"), (Lines{"x"}));
  EXPECT_EQ(LinesOf("\r\n"), (Lines{""}));
  EXPECT_EQ(LinesOf(""), (Lines{}));
}

TEST(DataFileReader, LinesAndLineEndsMaySpanBlocks) {
  // CR as the last byte of one block and LF as the first of the next are one line end.
  std::string bytes = std::string(15, 'a') + "\r\n" + std::string(40, 'b') + "\r\nc";
  EXPECT_EQ(LinesOf(bytes, 16), (Lines{std::string(15, 'a'), std::string(40, 'b'), "c"}));
  EXPECT_EQ(LinesOf(std::string(15, 'a') + "\r", 16), (Lines{std::string(15, 'a')}));
}

TEST(DataFileReader, NulAndOtherBytesPassThrough) {
  std::string bytes("a\0b\xff\r\n", 6);
  EXPECT_EQ(LinesOf(bytes), (Lines{std::string("a\0b\xff", 4)}));
}

TEST(DataFileReader, RefusesWhatIsNotARegularFile) {
  testing::TempFolder folder;
  EXPECT_THROW(DataFileReader reader(folder.Path()), std::system_error);
  EXPECT_THROW(DataFileReader reader(folder / "missing.dat"), std::system_error);
}

}  // namespace
}  // namespace tolvanex
