#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/settings/settings_fixture.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using testing::EnvironmentVariable;

TEST_F(SettingsStore, SettingsBesideTheProgramKeepTheDataBesideItToo) {
  platform_.Info.Folder = temp_.Path();
  LoadSettings(form_);
  EXPECT_EQ(form_.Txt_File[1].Text, temp_ / "sondrel.lkp");
  EXPECT_EQ(form_.Lbl_Folder[1].Caption, temp_.Path());
  EXPECT_FALSE(testing::Exists(home_));
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
  WriteIni("; mine\r\nOutputTextFile=x\r\nSortLookup=2\r\n[Other]\r\nk=v\r\n");
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
            "OutputFolder=/t\r\nDateFormat=Combo1\r\n[Other]\r\nk=v\r\n");
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
  EXPECT_EQ(Messages(),
            std::vector<std::string>{testing::FolderAsFileText() + "\r\nTolvanex:MyGetSetting"});

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
