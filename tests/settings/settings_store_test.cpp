#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/frm_tolvanex.h"
#include "tests/support/disk_full.h"
#include "tests/support/guards.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using testing::EnvironmentVariable;

// The nine settings as the controls hold them, in the order of the file.
std::vector<std::string> Controls(const Frm_Tolvanex& form) {
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
  EnvironmentVariable homeVariable_{"HOME", home_.c_str()};
  EnvironmentVariable dataVariable_{"XDG_DATA_HOME", nullptr};
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

TEST_F(SettingsStore, AFullDiskLeavesTheFileAsItWasWithoutAReport) {
  const std::string before = "[General]\r\nDataFile=old.dat\r\n; kept\r\n";
  testing::WriteFile(ini_, before);
  {
    testing::DiskFullAfter full(30, temp_.Path() + "/.tolvanex-");
    SaveSettings(form_);
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
  LoadSettings(form_);
  std::string data = home_ + "/.local/share/tolvanex";
  EXPECT_EQ(Controls(form_), (std::vector<std::string>{home_ + "/Sondrel/Sondrel.dat", "1",
                                                       home_ + "/Velko", data + "/sondrel.lkp", "1",
                                                       "0", "txt", data, "d mmm yyyy HH:MM"}));
  EXPECT_TRUE(std::filesystem::is_directory(data));
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(testing::Exists(ini_));

  SaveSettings(form_);
  EXPECT_EQ(testing::ReadFile(ini_),
            "[General]\r\nDataFile=" + home_ + "/Sondrel/Sondrel.dat\r\nOutputPostFile=1\r\n" +
                "PostFolder=" + home_ + "/Velko\r\nLookupFile=" + data +
                "/sondrel.lkp\r\nSortLookup=1\r\nOutputTextFile=0\r\nExtension=txt\r\n" +
                "OutputFolder=" + data + "\r\nDateFormat=d mmm yyyy HH:MM\r\n");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsStore, SettingsBesideTheProgramKeepTheDataBesideItToo) {
  platform_.Info.Folder = temp_.Path();
  LoadSettings(form_);
  EXPECT_EQ(form_.Txt_File[1].Text, temp_ / "sondrel.lkp");
  EXPECT_EQ(form_.Lbl_Folder[1].Caption, temp_.Path());
  EXPECT_FALSE(testing::Exists(home_));
}

TEST_F(SettingsStore, TheDataFolderIsMadeOnlyForADefaultThatIsTaken) {
  std::string data = temp_ / "data";
  EnvironmentVariable dataHome{"XDG_DATA_HOME", data.c_str()};
  WriteIni(kFull);
  LoadSettings(form_);
  EXPECT_FALSE(testing::Exists(data));

  WriteIni("OutputFolder=/text\r\n");
  LoadSettings(form_);
  EXPECT_EQ(form_.Txt_File[1].Text, data + "/tolvanex/sondrel.lkp");
  EXPECT_TRUE(std::filesystem::is_directory(data + "/tolvanex"));
}

TEST_F(SettingsStore, EveryKeyComesFromTheFileAndSavingTwiceChangesNothing) {
  WriteIni(kFull);
  LoadSettings(form_);
  EXPECT_EQ(Controls(form_), kFullControls);
  SaveSettings(form_);
  EXPECT_EQ(testing::ReadFile(ini_), "[General]\r\n" + kFull);
  SaveSettings(form_);
  EXPECT_EQ(testing::ReadFile(ini_), "[General]\r\n" + kFull);
}

TEST_F(SettingsStore, AFileLackingOnlyExtensionGivesTxt) {
  WriteIni(
      "DataFile=/data/Sd01.dat\r\nOutputPostFile=0\r\nPostFolder=/post\r\n"
      "LookupFile=/data/sites.lkp\r\nSortLookup=0\r\nOutputTextFile=1\r\n"
      "OutputFolder=/text\r\nDateFormat=yyyy/mm/dd\r\n");
  LoadSettings(form_);
  std::vector<std::string> expected = kFullControls;
  expected[6] = "txt";
  EXPECT_EQ(Controls(form_), expected);
}

TEST_F(SettingsStore, APresentButEmptyValueIsNotTheDefault) {
  WriteIni("DataFile=\r\n");
  LoadSettings(form_);
  EXPECT_EQ(form_.Txt_File[0].Text, "");
}

TEST_F(SettingsStore, ALongValueIsCutTo254Characters) {
  WriteIni("DataFile=/" + std::string(299, 'd') + "\r\n");
  LoadSettings(form_);
  EXPECT_EQ(form_.Txt_File[0].Text, "/" + std::string(253, 'd'));
}

struct StateCase {
  const char* Text;
  int State;
};

class CheckBoxStates : public SettingsStore, public ::testing::WithParamInterface<StateCase> {};

TEST_P(CheckBoxStates, AreNumbersRoundedHalvesToEven) {
  WriteIni(std::string("SortLookup=") + GetParam().Text + "\r\n");
  LoadSettings(form_);
  EXPECT_EQ(form_.Chk_SortLookup.Value, GetParam().State);
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Values, CheckBoxStates,
                         ::testing::Values(StateCase{"0", 0}, StateCase{"1", 1}, StateCase{"2", 2},
                                           StateCase{" 2 ", 2}, StateCase{"1.5", 2},
                                           StateCase{"2.5", 2}, StateCase{"0.5", 0},
                                           StateCase{"-0.4", 0}, StateCase{"1e0", 1},
                                           StateCase{"\"2\"", 2}));

TEST_F(SettingsStore, CheckBoxStatesAreReadInTheUsersLocale) {
  platform_.Settings = testing::GermanRegionalSettings();
  Frm_Tolvanex german(platform_);
  german.IniFile = ini_;
  WriteIni("OutputTextFile=1,5\r\n");
  LoadSettings(german);
  EXPECT_EQ(german.Chk_OutputTextFiles.Value, 2);
}

struct BadCase {
  const char* Text;
  const char* Description;
};

class BadCheckBoxValue : public SettingsStore, public ::testing::WithParamInterface<BadCase> {};

// The rows up to "SortLookup" are loaded; the bad row and the rows after it keep what they held.
TEST_P(BadCheckBoxValue, IsReportedOnceAndStopsTheLoad) {
  std::string file = kFull;
  file.replace(file.find("OutputTextFile=1"), 16, std::string("OutputTextFile=") + GetParam().Text);
  testing::WriteFile(ini_, "[General]\r\n" + file);
  LoadSettings(form_);
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(GetParam().Description) +
                                                 "\r\nTolvanex:LoadSettings"});
  std::vector<std::string> expected(kFullControls.begin(), kFullControls.begin() + 5);
  expected.insert(expected.end(), initial_.begin() + 5, initial_.end());
  EXPECT_EQ(Controls(form_), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BadCheckBoxValue,
    ::testing::Values(BadCase{"x", "Type mismatch"}, BadCase{"", "Type mismatch"},
                      BadCase{"$1", "Type mismatch"}, BadCase{"3", "Invalid property value"},
                      BadCase{"2.6", "Invalid property value"},
                      BadCase{"-1", "Invalid property value"}, BadCase{"40000", "Overflow"}));

TEST_F(SettingsStore, ABadValueIsReplacedWhenTheWindowCloses) {
  WriteIni("; mine\r\nOutputTextFile=x\r\nSortLookup=2\r\n\r\n[Other]\r\nk=v\r\n");
  LoadSettings(form_);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(form_.Chk_SortLookup.Value, 2);
  form_.Txt_File[0].Text = "/d.dat";
  form_.Lbl_Folder[0].Caption = "/p";
  form_.Txt_File[1].Text = "/l.lkp";
  form_.Lbl_Folder[1].Caption = "/t";

  SaveSettings(form_);
  EXPECT_EQ(testing::ReadFile(ini_),
            "[General]\r\n; mine\r\nOutputTextFile=0\r\nSortLookup=2\r\nDataFile=/d.dat\r\n"
            "OutputPostFile=1\r\nPostFolder=/p\r\nLookupFile=/l.lkp\r\nExtension=dat\r\n"
            "OutputFolder=/t\r\nDateFormat=Combo1\r\n\r\n[Other]\r\nk=v\r\n");
}

TEST_F(SettingsStore, NothingIsWrittenWhileIniFileIsEmpty) {
  form_.IniFile.clear();
  SaveSettings(form_);
  EXPECT_TRUE(std::filesystem::is_empty(temp_.Path()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsStore, AReadOnlySettingsFileIsLeftAloneWithoutAMessage) {
  WriteIni(kFull);
  testing::MakeReadOnly(ini_);
  form_.Txt_Extension.Text = "new";
  SaveSettings(form_);
  EXPECT_TRUE(Messages().empty());
  LoadSettings(form_);
  EXPECT_EQ(Controls(form_), kFullControls);
}

TEST_F(SettingsStore, ASettingsFileThatCannotBeReadIsReportedAndNeverOverwritten) {
  ASSERT_TRUE(std::filesystem::create_directory(ini_));
  EXPECT_EQ(MyGetSetting(form_, "General", "Extension", "txt"), "");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Is a directory\r\nTolvanex:MyGetSetting"});

  SaveSettings(form_);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(ini_));
}

TEST_F(SettingsStore, MySaveSettingEditsOneKey) {
  WriteIni(kFull);
  MySaveSetting(form_, "general", "extension", "log");
  EXPECT_EQ(MyGetSetting(form_, "General", "Extension", "txt"), "log");
  EXPECT_EQ(MyGetSetting(form_, "General", "DataFile", "d"), "/data/Sd01.dat");
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace tolvanex
