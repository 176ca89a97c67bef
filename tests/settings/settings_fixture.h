// The settings store's test fixture: a settings file in a temporary folder, a home folder of
// its own, and the nine settings as text in the order of the file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "system/desktop.h"
#include "system/regional_settings.h"
#include "tests/support/guards.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {

// The nine settings in the order of the file, the check boxes' states as numbers.
inline std::vector<std::string> Texts(const Settings& values) {
  return {values.DataFile,
          std::to_string(values.OutputPostFile),
          values.PostFolder,
          values.LookupFile,
          std::to_string(values.SortLookup),
          std::to_string(values.OutputTextFile),
          values.Extension,
          values.OutputFolder,
          values.DateFormat};
}

class SettingsStore : public ::testing::Test {
 protected:
  void Load() { LoadSettings(file_, values_, reports_); }
  void Save() { SaveSettings(ini_, values_, reports_); }
  void WriteIni(const std::string& generalLines) {
    testing::WriteFile(ini_, "[General]\r\n" + generalLines);
  }
  std::vector<std::string> Messages() const { return reports_.Texts(); }

  testing::TempFolder temp_;
  std::string ini_ = temp_ / "tolvanex.ini";
  // The home folder for the defaults, without an XDG_DATA_HOME.
  std::string home_ = temp_ / "home";
  testing::EnvironmentVariable homeVariable_{"HOME", home_.c_str()};
  testing::EnvironmentVariable dataVariable_{"XDG_DATA_HOME", nullptr};
  // A program installed apart from the settings file.
  SettingsFile file_{ini_, ProgramInfo{"/opt/tolvanex", "tolvanex", 1, 0, 7},
                     EnglishRegionalSettings()};
  // What the settings hold before they are read, as a window's controls do: no default among
  // them.
  const Settings initial_{"SondrelFile.dat", 0,       "/held/post", "Sondrel.lkp", 0, 0, "dat",
                          "/held/text",      "Combo1"};
  Settings values_ = initial_;
  testing::RecordingSink reports_;

  const std::string kFull =
      "DataFile=/data/Sd01.dat\r\nOutputPostFile=0\r\nPostFolder=/post\r\n"
      "LookupFile=/data/sites.lkp\r\nSortLookup=0\r\nOutputTextFile=1\r\n"
      "Extension=csv\r\nOutputFolder=/text\r\nDateFormat=yyyy/mm/dd\r\n";
  const std::vector<std::string> kFullTexts{
      "/data/Sd01.dat", "0", "/post", "/data/sites.lkp", "0", "1", "csv", "/text", "yyyy/mm/dd"};
};

}  // namespace tolvanex
