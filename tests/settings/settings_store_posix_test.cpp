// The settings store where POSIX has its own rules: the defaults under the home folder, the XDG
// data folder made for them, and a failed write of the settings file through the file layer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "tests/settings/settings_fixture.h"
#include "tests/support/disk_full.h"
#include "tests/support/guards.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using testing::EnvironmentVariable;

TEST_F(SettingsStore, AFullDiskLeavesTheFileAsItWasWithoutAReport) {
  const std::string before = "[General]\r\nDataFile=old.dat\r\n; kept\r\n";
  testing::WriteFile(ini_, before);
  {
    testing::DiskFullAfter full(30, temp_.Path() + "/.tolvanex-");
    Save();
  }
  EXPECT_EQ(testing::ReadFile(ini_), before);
  for (const auto& entry : std::filesystem::directory_iterator(temp_.Path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".tolvanex-"));  // none left
  }
  EXPECT_TRUE(Messages().empty());  // a refused write passes silently
}

// The settings file is not beside the program (/opt/tolvanex), so the lookup file and the output
// folder default to the user's data folder, which is made for them.
TEST_F(SettingsStore, WithoutAFileTheDefaultsAndAfterSavingTheNineKeysInOrder) {
  Load();
  std::string data = home_ + "/.local/share/tolvanex";
  EXPECT_EQ(Texts(values_), (std::vector<std::string>{home_ + "/Sondrel/Sondrel.dat", "1",
                                                      home_ + "/Velko", data + "/sondrel.lkp", "1",
                                                      "0", "txt", data, "d mmm yyyy HH:MM"}));
  EXPECT_TRUE(std::filesystem::is_directory(data));
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(testing::Exists(ini_));

  Save();
  EXPECT_EQ(testing::ReadFile(ini_),
            "[General]\r\nDataFile=" + home_ + "/Sondrel/Sondrel.dat\r\nOutputPostFile=1\r\n" +
                "PostFolder=" + home_ + "/Velko\r\nLookupFile=" + data +
                "/sondrel.lkp\r\nSortLookup=1\r\nOutputTextFile=0\r\nExtension=txt\r\n" +
                "OutputFolder=" + data + "\r\nDateFormat=d mmm yyyy HH:MM\r\n");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsStore, TheDataFolderIsMadeOnlyForADefaultThatIsTaken) {
  std::string data = temp_ / "data";
  EnvironmentVariable dataHome{"XDG_DATA_HOME", data.c_str()};
  WriteIni(kFull);
  Load();
  EXPECT_FALSE(testing::Exists(data));

  WriteIni("OutputFolder=/text\r\n");
  Load();
  EXPECT_EQ(values_.LookupFile, data + "/tolvanex/sondrel.lkp");
  EXPECT_TRUE(std::filesystem::is_directory(data + "/tolvanex"));
}

}  // namespace
}  // namespace tolvanex
