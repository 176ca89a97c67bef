// Wildcard operands on Windows, where the program and not the shell expands them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "system/operands.h"
#include "system/win32/wide_text.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

class WildcardOperands : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name :
         {"Sd2.dat", "sd1.DAT", "Sd10.dat", "Sd3.old", "Sdx.dat.bak", "README"}) {
      testing::WriteFile(folder_ / name, "x");
    }
    ::CreateDirectoryW(win32::WideFromAnsi(folder_ / "Sd4.dat").c_str(), nullptr);
    testing::WriteFile(folder_ / "Sd5.dat", "hidden");
    ::SetFileAttributesW(win32::WideFromAnsi(folder_ / "Sd5.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }

  testing::TempFolder folder_;
};

TEST_F(WildcardOperands, MatchingFilesInNameOrderWithoutFoldersOrHiddenFiles) {
  std::string in = folder_.Path() + "\\";
  EXPECT_EQ(ExpandWildcards({in + "Sd*.dat"}),
            (std::vector<std::string>{in + "sd1.DAT", in + "Sd10.dat", in + "Sd2.dat"}));
  EXPECT_EQ(ExpandWildcards({in + "SD?.*"}),
            (std::vector<std::string>{in + "sd1.DAT", in + "Sd2.dat", in + "Sd3.old",
                                      in + "Sdx.dat.bak"}));
  // "*.*" takes a name without a dot too; a plain name and the order of operands stay.
  EXPECT_EQ(ExpandWildcards({in + "README", folder_.Path() + "/*.*"}).size(), 7u);
  EXPECT_EQ(ExpandWildcards({in + "README", folder_.Path() + "/*.*"})[1],
            folder_.Path() + "/README");
}

TEST_F(WildcardOperands, APatternWithoutMatchesOrInAFolderPartStaysAsWritten) {
  std::string none = folder_.Path() + "\\Sd*.xyz";
  std::string inFolderPart = folder_.Path() + "\\S*\\x.dat";
  EXPECT_EQ(ExpandWildcards({none, inFolderPart}), (std::vector<std::string>{none, inFolderPart}));
}

TEST_F(WildcardOperands, ANameInTheCurrentFolderKeepsNoFolderPart) {
  wchar_t before[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, before);
  ::SetCurrentDirectoryW(win32::WideFromAnsi(folder_.Path()).c_str());
  std::vector<std::string> found = ExpandWildcards({"sd1*"});
  ::SetCurrentDirectoryW(before);
  EXPECT_EQ(found, (std::vector<std::string>{"sd1.DAT", "Sd10.dat"}));
}

}  // namespace
}  // namespace tolvanex
