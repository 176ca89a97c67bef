#include "ui/frm_tolvanex.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "system/path_syntax.h"
#include "system/user_folders.h"
#include "tests/support/scripted_platform.h"

namespace tolvanex {
namespace {

class WindowModel : public ::testing::Test {
 protected:
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(WindowModel, StartsWithTheInitialCaptionsAndTexts) {
  EXPECT_EQ(form.Caption, "Tolvanex");
  EXPECT_EQ(form.Label1.at(1).Caption, "Sondrel file:");
  EXPECT_EQ(form.Label1.at(0).Caption, "Folder:");
  EXPECT_EQ(form.Label1.at(3).Caption, "Lookup file:");
  EXPECT_EQ(form.Label1.at(5).Caption, "Post File:");
  EXPECT_EQ(form.Label1.at(2).Caption, "Folder:");
  EXPECT_EQ(form.Label1.at(6).Caption, "File Extension:");
  EXPECT_EQ(form.Label1.at(8).Caption, "Date format:");
  EXPECT_EQ(form.Label1.at(4).Caption, "Files:");
  EXPECT_EQ(form.Label1.count(7), 0u);
  EXPECT_EQ(form.Txt_File[0].Text, "SondrelFile.dat");
  EXPECT_EQ(form.Txt_File[1].Text, "Sondrel.lkp");
  EXPECT_EQ(form.Chk_OutputPostFile.Caption, "Output Post files");
  EXPECT_EQ(form.Chk_OutputPostFile.Value, 0);
  EXPECT_EQ(form.Chk_SortLookup.Caption, "Sort");
  EXPECT_EQ(form.Chk_SortLookup.Value, 0);
  EXPECT_EQ(form.Chk_OutputTextFiles.Caption, "Output text files for each site");
  EXPECT_EQ(form.Chk_OutputTextFiles.Value, 0);
  EXPECT_EQ(form.Txt_Extension.Text, "dat");
  EXPECT_EQ(form.Cmb_Dateformat.Text, "Combo1");
  EXPECT_TRUE(form.Cmb_Dateformat.Items.empty());
  EXPECT_EQ(form.Lbl_File[0].Caption, "");
  EXPECT_EQ(form.Lbl_Status.Caption, "");
  EXPECT_EQ(form.Lbl_Status.BackColor, kButtonFace);
  EXPECT_EQ(form.Cmd_Export.Caption, "&Process");
  EXPECT_EQ(form.Cmd_Close.Caption, "Exit");
  EXPECT_EQ(form.Lst_Files.ListCount(), 0);
}

// C:\Velko on Windows; in the home folder elsewhere.
TEST_F(WindowModel, FolderLabelsStartAtTheVelkoFolderOfTheDefaultsRoot) {
  std::string velko = DefaultsRoot() + kPathSeparator + "Velko";
  EXPECT_EQ(form.Lbl_Folder[0].Caption, velko);
  EXPECT_EQ(form.Lbl_Folder[1].Caption, velko);
}

TEST_F(WindowModel, OnlyTheListAndPostFileEditButtonsStartDisabled) {
  EXPECT_TRUE(form.Cmd_Edit[0].Enabled);
  EXPECT_TRUE(form.Cmd_Edit[1].Enabled);
  EXPECT_FALSE(form.Cmd_Edit[2].Enabled);
  EXPECT_FALSE(form.Cmd_Edit[3].Enabled);
  for (const auto& button : form.Cmd_GetFile) EXPECT_TRUE(button.Enabled);
  for (const auto& button : form.Cmd_GetFolder) EXPECT_TRUE(button.Enabled);
  EXPECT_TRUE(form.Cmd_Export.Enabled);
  EXPECT_TRUE(form.Cmd_Close.Enabled);
}

TEST_F(WindowModel, MenusCarryTheirAccessKeys) {
  EXPECT_EQ(form.m_File.Caption, "&File");
  EXPECT_EQ(form.mnu_File[0].Caption, "&Open");
  EXPECT_EQ(form.mnu_File[1].Caption, "E&xit");
  EXPECT_EQ(form.m_Help.Caption, "&Help");
  EXPECT_EQ(form.mnu_Help[0].Caption, "&About");
}

TEST(WindowLayout, FocusOrderVisitsEighteenControlsOnce) {
  const auto& order = FocusOrder();
  ASSERT_EQ(order.size(), 18u);
  EXPECT_EQ(order.front(), (ControlRef{"Txt_File", 0}));
  EXPECT_EQ(order[6], (ControlRef{"Cmd_Export", -1}));
  EXPECT_EQ(order.back(), (ControlRef{"Chk_SortLookup", -1}));
  std::set<std::pair<std::string_view, int>> seen;
  for (const auto& ref : order) EXPECT_TRUE(seen.insert({ref.Name, ref.Index}).second);
}

TEST(WindowLayout, EveryFocusableControlIsInTheControlTable) {
  std::set<std::pair<std::string_view, int>> controls;
  for (const auto& info : ControlTable()) controls.insert({info.Name, info.Index});
  EXPECT_EQ(controls.size(), ControlTable().size());
  for (const auto& ref : FocusOrder())
    EXPECT_TRUE(controls.count({ref.Name, ref.Index})) << ref.Name;
}

}  // namespace
}  // namespace tolvanex
