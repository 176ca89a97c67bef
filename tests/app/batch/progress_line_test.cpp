#include "app/batch/progress_line.h"

#include <gtest/gtest.h>

#include <string>

#include "app/batch/terminal_text.h"

namespace tolvanex {
namespace {

TEST(EscapeControls, WritesEveryControlCharacterAsItsCode) {
  EXPECT_EQ(EscapeControls("plain text / 1"), "plain text / 1");
  EXPECT_EQ(EscapeControls("\x1b[2J\t\r\n\x7f"), "\\x1b[2J\\x09\\x0d\\x0a\\x7f");
  EXPECT_EQ(EscapeControls(std::string("a\0b", 3)), "a\\x00b");
  // C1 controls in UTF-8; other characters outside ASCII stay as they are.
  EXPECT_EQ(EscapeControls("\xC2\x9B"
                           "31m M\xC3\xBCller \xC2\xA0"),
            "\\xc2\\x9b31m M\xC3\xBCller \xC2\xA0");
  // A C1 control as a single byte, also where a character's lead byte is not followed by the
  // rest of it; bytes of that range inside a whole character ("\xE2\x82\xAC" is the euro sign,
  // "\xE2\x82\x9b" a subscript letter) stay.
  EXPECT_EQ(EscapeControls("\x9b"
                           "31m \xE2\x82\xAC \xE2\x82\x9b \xE2\x9b"
                           "x \xC3"),
            "\\x9b31m \xE2\x82\xAC \xE2\x82\x9b \xE2\\x9bx \xC3");
}

TEST(KeepEnd, CutsTheStartAndNoCharacterInHalf) {
  EXPECT_EQ(KeepEnd("station.dat", 11), "station.dat");
  EXPECT_EQ(KeepEnd("station.dat", 8), "...n.dat");
  EXPECT_EQ(KeepEnd("\xC3\xA4\xC3\xB6\xC3\xBC.dat", 6), "...dat");
  EXPECT_EQ(KeepEnd("abc\xC3\xA4\xC3\xB6\xC3\xBC", 5), "...\xC3\xB6\xC3\xBC");
  EXPECT_EQ(KeepEnd("station.dat", 2), "..");
  EXPECT_EQ(ColumnsOf("\xC3\xA4\xC3\xB6\xC3\xBC.dat"), 7u);
}

TEST(PercentRead, CountsWholePercentsOfTheFile) {
  EXPECT_EQ(PercentRead(0, 0), 0);
  EXPECT_EQ(PercentRead(0, 200), 0);
  EXPECT_EQ(PercentRead(199, 200), 99);
  EXPECT_EQ(PercentRead(200, 200), 100);
  EXPECT_EQ(PercentRead(1ull << 62, 1ull << 63), 50);  // no overflow on huge files
}

TEST(ProgressLine, SaysAllOnAWideTerminal) {
  Progress progress{"Sd0101.dat", 3, 12, 420, 1000, 1234};
  EXPECT_EQ(ProgressLine(progress, 80), "file 3 of 12  Sd0101.dat   42%  1234 readings posted");
  progress.FileCount = 1;
  EXPECT_EQ(ProgressLine(progress, 0), "Sd0101.dat   42%  1234 readings posted");
}

TEST(ProgressLine, FitsEveryWidthLeavingTheLastColumnFree) {
  const Progress cases[] = {
      {"Sd0101.dat", 1, 1, 5, 10, 7},
      {"a-very-long-name-of-a-download-from-the-logger-of-station-three.dat", 11, 12, 10, 10,
       123456789},
      {"\xC3\xA4"
       "bersicht-\xC3\xB6stlich.dat",
       2, 3, 0, 0, 0},
  };
  for (const Progress& progress : cases) {
    for (int columns = 1; columns <= 120; ++columns) {
      std::string line = ProgressLine(progress, columns);
      EXPECT_LE(ColumnsOf(line), static_cast<std::size_t>(columns - 1)) << columns << ": " << line;
      if (columns >= 50) {
        // The end of the name, which tells the files apart, is always shown.
        EXPECT_NE(line.find(progress.FileName.substr(progress.FileName.size() - 5)),
                  std::string::npos)
            << line;
      }
    }
  }
}

}  // namespace
}  // namespace tolvanex
