// The settings store's test fixture: a settings file in a temporary folder, a home folder of
// its own, and the nine settings read back from the controls.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/frm_tolvanex.h"
#include "tests/support/guards.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {

// The nine settings as the controls hold them, in the order of the file.
inline std::vector<std::string> Controls(const Frm_Tolvanex& form) {
  return {form.Txt_File[0].Text,
          std::to_string(form.Chk_OutputPostFile.Value),
          form.Lbl_Folder[0].Caption,
          form.Txt_File[1].Text,
          std::to_string(form.Chk_SortLookup.Value),
          std::to_string(form.Chk_OutputTextFiles.Value),
          form.Txt_Extension.Text,
          form.Lbl_Folder[1].Caption,
          form.Cmb_Dateformat.Text};
}

class SettingsStore : public ::testing::Test {
 protected:
  SettingsStore() { form_.IniFile = ini_; }

  void WriteIni(const std::string& generalLines) {
    testing::WriteFile(ini_, "[General]\r\n" + generalLines);
  }
  std::vector<std::string> Messages() const { return platform_.MessageTexts(); }

  testing::TempFolder temp_;
  std::string ini_ = temp_ / "tolvanex.ini";
  // The home folder for the form's initial captions and the defaults, without an XDG_DATA_HOME.
  std::string home_ = temp_ / "home";
  testing::EnvironmentVariable homeVariable_{"HOME", home_.c_str()};
  testing::EnvironmentVariable dataVariable_{"XDG_DATA_HOME", nullptr};
  testing::ScriptedPlatform platform_;
  Frm_Tolvanex form_{platform_};
  const std::vector<std::string> initial_ = Controls(form_);

  const std::string kFull =
      "DataFile=/data/Sd01.dat\r\nOutputPostFile=0\r\nPostFolder=/post\r\n"
      "LookupFile=/data/sites.lkp\r\nSortLookup=0\r\nOutputTextFile=1\r\n"
      "Extension=csv\r\nOutputFolder=/text\r\nDateFormat=yyyy/mm/dd\r\n";
  const std::vector<std::string> kFullControls{
      "/data/Sd01.dat", "0", "/post", "/data/sites.lkp", "0", "1", "csv", "/text", "yyyy/mm/dd"};
};

}  // namespace tolvanex
