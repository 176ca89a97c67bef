#include "base/paths.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

TEST(AddBackslash, JoinsAFolderAndANameWithOneSeparator) {
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("/data/velko"), std::string("/data/velko") + kPathSeparator);
  EXPECT_EQ(AddBackslash("/data/velko/"), "/data/velko/");  // "/" separates on Windows too
  EXPECT_EQ(AddBackslash("/"), "/");
  EXPECT_EQ(AddBackslash(std::string(1, kPathSeparator)), std::string(1, kPathSeparator));
}

TEST(StripQuotes, TrimsBlanksAndALeadingQuoteWithItsPartner) {
  EXPECT_EQ(StripQuotes("  \" 123 \"  "), " 123 ");
  EXPECT_EQ(StripQuotes("abc\""), "abc\"");      // a trailing quote alone stays
  EXPECT_EQ(StripQuotes("\"\""), "\"");          // two quotes give one
  EXPECT_EQ(StripQuotes("\""), "\"");            // a single quote stays
  EXPECT_EQ(StripQuotes("\"abc"), "abc");        // a leading quote alone goes
  EXPECT_EQ(StripQuotes("\tabc\t"), "\tabc\t");  // only spaces are blanks
  EXPECT_EQ(StripQuotes("   "), "");
}

TEST(PathParts, SplitAtTheLastSeparator) {
  EXPECT_EQ(PathOfFile("/data/velko/12.dat"), "/data/velko");
  EXPECT_EQ(PathOfFile("12.dat"), "12.dat");
  EXPECT_EQ(NameOfFile("/data/velko/12.dat"), "12.dat");
  EXPECT_EQ(NameOfFile("12.dat"), "12.dat");
  EXPECT_EQ(NameOfFile("/data/velko/"), "");
}

TEST(TrimNull, CutsAtTheFirstNul) {
  EXPECT_EQ(TrimNull(std::string_view("\0abc", 4)), "");
  EXPECT_EQ(TrimNull("abc"), "abc");
  EXPECT_EQ(TrimNull(std::string_view("ab\0c\0", 5)), "ab");
}

TEST(FileExists, CountsRegularFilesOnly) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "plain.txt", "x");
  testing::WriteFile(folder / ".hidden", "x");
  testing::WriteFile(folder / "readonly.txt", "x");
  testing::MakeReadOnly(folder / "readonly.txt");
  EXPECT_TRUE(FileExists(folder / "plain.txt"));
  EXPECT_TRUE(FileExists(folder / ".hidden"));  // no hidden attribute: never treated as absent
  EXPECT_TRUE(FileExists(folder / "readonly.txt"));
  EXPECT_FALSE(FileExists(folder.Path()));
  EXPECT_FALSE(FileExists(folder / "missing.txt"));
  EXPECT_FALSE(FileExists("/dev/null"));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace tolvanex
