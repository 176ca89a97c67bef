#include "settings/window_settings.h"

#include <gtest/gtest.h>

#include "ui/frm_tolvanex.h"
#include "settings/settings_store.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

class WindowSettings : public ::testing::Test {
 protected:
  WindowSettings() { form.IniFile = folder / "tolvanex.ini"; }

  testing::TempFolder folder;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(WindowSettings, ThePlacementComesBackFromItsOwnSectionAndGeneralKeepsItsNineKeys) {
  SaveSettings(form);
  std::string general = testing::ReadFile(form.IniFile);
  form.Placement = WindowPlacement{-40, 30, 700, 520, true};
  SaveWindowPlacement(form);
  EXPECT_EQ(
      testing::ReadFile(form.IniFile),
      general + "[Window]\r\nLeft=-40\r\nTop=30\r\nWidth=700\r\nHeight=520\r\nMaximized=1\r\n");

  Frm_Tolvanex next(desktop);
  next.IniFile = form.IniFile;
  LoadWindowPlacement(next);
  EXPECT_EQ(next.Placement, form.Placement);
}

TEST_F(WindowSettings, AMissingOrBrokenPlacementGivesNone) {
  LoadWindowPlacement(form);  // no file
  EXPECT_FALSE(form.Placement.has_value());
  for (const char* window :
       {"Left=1\r\nTop=2\r\nWidth=600\r\n", "Left=1\r\nTop=2\r\nWidth=600\r\nHeight=tall\r\n",
        "Left=1\r\nTop=2\r\nWidth=0\r\nHeight=400\r\n",
        "Left=1.5\r\nTop=2\r\nWidth=600\r\nHeight=400\r\n"}) {
    testing::WriteFile(form.IniFile, std::string("[Window]\r\n") + window);
    form.Placement = WindowPlacement{};
    LoadWindowPlacement(form);
    EXPECT_FALSE(form.Placement.has_value()) << window;
  }
}

TEST_F(WindowSettings, NothingIsWrittenWithoutAPlacementOrASettingsFile) {
  SaveWindowPlacement(form);
  EXPECT_FALSE(testing::Exists(form.IniFile));
  form.IniFile.clear();
  form.Placement = WindowPlacement{0, 0, 600, 400, false};
  SaveWindowPlacement(form);
  EXPECT_FALSE(testing::Exists(folder / "tolvanex.ini"));
}

}  // namespace
}  // namespace tolvanex
