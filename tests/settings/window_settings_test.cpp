#include "settings/window_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/settings_store.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

class WindowSettings : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  std::string ini = folder / "tolvanex.ini";
  testing::RecordingSink reports;
};

TEST_F(WindowSettings, ThePlacementComesBackFromItsOwnSectionAndGeneralKeepsItsNineKeys) {
  SaveSettings(ini, Settings{"/d.dat", 1, "/p", "/l.lkp", 1, 0, "txt", "/t", "yyyy"}, reports);
  std::string general = testing::ReadFile(ini);
  std::optional<WindowPlacement> placement = WindowPlacement{-40, 30, 700, 520, true};
  SaveWindowPlacement(ini, placement, reports);
  EXPECT_EQ(
      testing::ReadFile(ini),
      general + "[Window]\r\nLeft=-40\r\nTop=30\r\nWidth=700\r\nHeight=520\r\nMaximized=1\r\n");

  EXPECT_EQ(LoadWindowPlacement(ini, reports), placement);
  EXPECT_TRUE(reports.Reports.empty());
}

TEST_F(WindowSettings, AMissingOrBrokenPlacementGivesNone) {
  EXPECT_EQ(LoadWindowPlacement(ini, reports), std::nullopt);  // no file
  for (const char* window :
       {"Left=1\r\nTop=2\r\nWidth=600\r\n", "Left=1\r\nTop=2\r\nWidth=600\r\nHeight=tall\r\n",
        "Left=1\r\nTop=2\r\nWidth=0\r\nHeight=400\r\n",
        "Left=1.5\r\nTop=2\r\nWidth=600\r\nHeight=400\r\n"}) {
    testing::WriteFile(ini, std::string("[Window]\r\n") + window);
    EXPECT_EQ(LoadWindowPlacement(ini, reports), std::nullopt) << window;
  }
  testing::WriteFile(ini, "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=600\r\nHeight=400\r\n");
  EXPECT_EQ(LoadWindowPlacement("", reports), std::nullopt);  // no settings file named
}

TEST_F(WindowSettings, NothingIsWrittenWithoutAPlacementOrASettingsFile) {
  SaveWindowPlacement(ini, std::nullopt, reports);
  EXPECT_FALSE(testing::Exists(ini));
  SaveWindowPlacement("", WindowPlacement{0, 0, 600, 400, false}, reports);
  EXPECT_FALSE(testing::Exists(ini));
}

}  // namespace
}  // namespace tolvanex
