// Start-up of an installed program on POSIX: nothing beside it, so the settings go to the user's
// XDG config folder and the lookup file and text files to the XDG data folder. (On Windows a
// program's own folder takes its settings whenever it may be written.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/guards.h"
#include "tests/support/list_rows.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/startup_fixture.h"
#include "ui/frm_tolvanex.h"
#include "ui/startup.h"

namespace tolvanex {
namespace {

using testing::StartUp;

// An installed program: nothing beside it, the settings in the user's config folder and the
// lookup file and text files in the user's data folder, which start-up makes.
TEST_F(StartUp, WithoutASettingsFileBesideItUsesTheUsersFolders) {
  std::filesystem::remove(IniPath());
  std::string data = home + "/.local/share/tolvanex";
  std::filesystem::create_directories(data);
  testing::WriteFile(data + "/1_2.txt", "");
  testing::WriteFile(folder / "3_4.txt", "");

  Form_Load(form);
  EXPECT_EQ(form.IniFile, home + "/.config/tolvanex/tolvanex.ini");
  EXPECT_EQ(form.Txt_File[1].Text, data + "/sondrel.lkp");
  EXPECT_EQ(form.Lbl_Folder[1].Caption, data);
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"1_2.txt"}));
  EXPECT_TRUE(desktop.Messages.empty());

  Form_QueryUnload(form);
  EXPECT_TRUE(testing::Exists(home + "/.config/tolvanex/tolvanex.ini"));
  EXPECT_FALSE(testing::Exists(IniPath()));
}

}  // namespace
}  // namespace tolvanex
