#include "core/helpers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <stdexcept>
#include <system_error>

#include "core/errors.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {
namespace {

TEST(AddBackslash, JoinsAFolderAndANameWithOneSeparator) {
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("/data/velko"), "/data/velko/");
  EXPECT_EQ(AddBackslash("/data/velko/"), "/data/velko/");
  EXPECT_EQ(AddBackslash("/"), "/");
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
  ::chmod((folder / "readonly.txt").c_str(), 0444);
  EXPECT_TRUE(FileExists(folder / "plain.txt"));
  EXPECT_TRUE(FileExists(folder / ".hidden"));  // no hidden attribute: never treated as absent
  EXPECT_TRUE(FileExists(folder / "readonly.txt"));
  EXPECT_FALSE(FileExists(folder.Path()));
  EXPECT_FALSE(FileExists(folder / "missing.txt"));
  EXPECT_FALSE(FileExists("/dev/null"));
  EXPECT_FALSE(FileExists(""));
}

class StatusAndReports : public ::testing::Test {
 protected:
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(StatusAndReports, StatusLineIsCreamWithTextAndButtonFaceWhenEmpty) {
  SetStatus(form, " ");
  EXPECT_EQ(form.Lbl_Status.BackColor, kStatusCream);
  EXPECT_EQ(form.Lbl_Status.BackColor, (Rgb{255, 251, 240, false}));
  SetStatus(form, "");
  EXPECT_EQ(form.Lbl_Status.BackColor, kButtonFace);
  EXPECT_EQ(form.Lbl_Status.Caption, "");
  EXPECT_EQ(desktop.StatusTexts, (std::vector<std::string>{" ", ""}));  // repainted each time
}

TEST_F(StatusAndReports, ReportIsDescriptionThenPrefixAndLabel) {
  try {
    throw std::system_error(ENOENT, std::generic_category());
  } catch (...) {
    ShowError(form, "DoExport: /data/a.dat");
  }
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            "No such file or directory\r\nTolvanex:DoExport: /data/a.dat");
  EXPECT_EQ(desktop.Messages[0].Title, "Tolvanex");
}

TEST_F(StatusAndReports, AnEmptyDescriptionStartsTheReportWithTheLineBreak) {
  try {
    throw Failure("");
  } catch (...) {
    ShowError(form, "LoadLookup");
  }
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "\r\nTolvanex:LoadLookup");
}

}  // namespace
}  // namespace tolvanex
