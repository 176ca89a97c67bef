// The first conversion with the defaults, on POSIX, where the defaults lie in the home folder
// ($HOME, which the test points elsewhere): the default post folder is made by the run that
// first writes into it, open as the user's folders are; a folder the user chose is never made.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "base/default_paths.h"
#include "core/run_driver.h"
#include "ui/frm_tolvanex.h"
#include "tests/support/guards.h"
#include "tests/support/run_folder.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

class FirstStart : public ::testing::Test {
 protected:
  FirstStart() {
    testing::PrepareRunFolder(folder.Path());
    testing::PointWindowAt(form, folder.Path());
    desktop.InputAnswers = {"512"};
    form.Chk_OutputTextFiles.Value = 0;
  }

  testing::TempFolder home;
  testing::EnvironmentVariable homeVariable{"HOME", home.Path().c_str()};
  testing::TempFolder folder;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(FirstStart, TheDefaultPostFolderIsMadeByTheFirstRun) {
  form.Lbl_Folder[0].Caption = DefaultPostFolder();
  ASSERT_EQ(form.Lbl_Folder[0].Caption, home / "Velko");
  mode_t before = ::umask(022);
  DoExport(form);
  ::umask(before);
  EXPECT_TRUE(desktop.Messages.empty()) << desktop.Messages[0].Text;
  EXPECT_TRUE(form.RunState.ReachedEndOfData);
  EXPECT_EQ(testing::NamesIn(home / "Velko").size(), 2u);
  struct stat info {};
  ASSERT_EQ(::stat((home / "Velko").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
}

TEST_F(FirstStart, AFolderTheUserChoseIsNotMade) {
  form.Lbl_Folder[0].Caption = home / "Chosen";
  DoExport(form);
  ASSERT_FALSE(desktop.Messages.empty());
  EXPECT_NE(desktop.Messages[0].Text.find("ExportPostFile: " + (home / "Chosen")),
            std::string::npos)
      << desktop.Messages[0].Text;
  EXPECT_FALSE(testing::Exists(home / "Chosen"));
}

}  // namespace
}  // namespace tolvanex
