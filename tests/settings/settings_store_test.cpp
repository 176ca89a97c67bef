#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/settings/settings_fixture.h"
#include "tests/support/german_settings.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using testing::EnvironmentVariable;

TEST_F(SettingsStore, SettingsBesideTheProgramKeepTheDataBesideItToo) {
  file_.Program.Folder = temp_.Path();
  Load();
  EXPECT_EQ(values_.LookupFile, temp_ / "sondrel.lkp");
  EXPECT_EQ(values_.OutputFolder, temp_.Path());
  EXPECT_FALSE(testing::Exists(home_));
}

TEST_F(SettingsStore, EveryKeyComesFromTheFileAndSavingTwiceChangesNothing) {
  WriteIni(kFull);
  Load();
  EXPECT_EQ(Texts(values_), kFullTexts);
  Save();
  EXPECT_EQ(testing::ReadFile(ini_), "[General]\r\n" + kFull);
  Save();
  EXPECT_EQ(testing::ReadFile(ini_), "[General]\r\n" + kFull);
}

TEST_F(SettingsStore, AFileLackingOnlyExtensionGivesTxt) {
  WriteIni(
      "DataFile=/data/Sd01.dat\r\nOutputPostFile=0\r\nPostFolder=/post\r\n"
      "LookupFile=/data/sites.lkp\r\nSortLookup=0\r\nOutputTextFile=1\r\n"
      "OutputFolder=/text\r\nDateFormat=yyyy/mm/dd\r\n");
  Load();
  std::vector<std::string> expected = kFullTexts;
  expected[6] = "txt";
  EXPECT_EQ(Texts(values_), expected);
}

TEST_F(SettingsStore, APresentButEmptyValueIsNotTheDefault) {
  WriteIni("DataFile=\r\n");
  Load();
  EXPECT_EQ(values_.DataFile, "");
}

TEST_F(SettingsStore, ALongValueIsCutTo254Characters) {
  WriteIni("DataFile=/" + std::string(299, 'd') + "\r\n");
  Load();
  EXPECT_EQ(values_.DataFile, "/" + std::string(253, 'd'));
}

struct StateCase {
  const char* Text;
  int State;
};

class CheckBoxStates : public SettingsStore, public ::testing::WithParamInterface<StateCase> {};

TEST_P(CheckBoxStates, AreNumbersRoundedHalvesToEven) {
  WriteIni(std::string("SortLookup=") + GetParam().Text + "\r\n");
  Load();
  EXPECT_EQ(values_.SortLookup, GetParam().State);
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Values, CheckBoxStates,
                         ::testing::Values(StateCase{"0", 0}, StateCase{"1", 1}, StateCase{"2", 2},
                                           StateCase{" 2 ", 2}, StateCase{"1.5", 2},
                                           StateCase{"2.5", 2}, StateCase{"0.5", 0},
                                           StateCase{"-0.4", 0}, StateCase{"1e0", 1},
                                           StateCase{"\"2\"", 2}));

TEST_F(SettingsStore, CheckBoxStatesAreReadInTheUsersLocale) {
  file_.Regional = testing::GermanRegionalSettings();
  WriteIni("OutputTextFile=1,5\r\n");
  Load();
  EXPECT_EQ(values_.OutputTextFile, 2);
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
  Load();
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(GetParam().Description) +
                                                 "\r\nTolvanex:LoadSettings"});
  std::vector<std::string> expected(kFullTexts.begin(), kFullTexts.begin() + 5);
  std::vector<std::string> held = Texts(initial_);
  expected.insert(expected.end(), held.begin() + 5, held.end());
  EXPECT_EQ(Texts(values_), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BadCheckBoxValue,
    ::testing::Values(BadCase{"x", "Type mismatch"}, BadCase{"", "Type mismatch"},
                      BadCase{"$1", "Type mismatch"}, BadCase{"3", "Invalid property value"},
                      BadCase{"2.6", "Invalid property value"},
                      BadCase{"-1", "Invalid property value"}, BadCase{"40000", "Overflow"}));

TEST_F(SettingsStore, ABadValueIsReplacedByTheNextSave) {
  WriteIni("; mine\r\nOutputTextFile=x\r\nSortLookup=2\r\n[Other]\r\nk=v\r\n");
  Load();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(values_.SortLookup, 2);
  values_.DataFile = "/d.dat";
  values_.PostFolder = "/p";
  values_.LookupFile = "/l.lkp";
  values_.OutputFolder = "/t";

  Save();
  EXPECT_EQ(testing::ReadFile(ini_),
            "[General]\r\n; mine\r\nOutputTextFile=0\r\nSortLookup=2\r\nDataFile=/d.dat\r\n"
            "OutputPostFile=1\r\nPostFolder=/p\r\nLookupFile=/l.lkp\r\nExtension=dat\r\n"
            "OutputFolder=/t\r\nDateFormat=Combo1\r\n[Other]\r\nk=v\r\n");
}

TEST_F(SettingsStore, NothingIsWrittenWhileIniFileIsEmpty) {
  SaveSettings("", values_, reports_);
  EXPECT_TRUE(std::filesystem::is_empty(temp_.Path()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsStore, AReadOnlySettingsFileIsLeftAloneWithoutAMessage) {
  WriteIni(kFull);
  testing::MakeReadOnly(ini_);
  values_.Extension = "new";
  Save();
  EXPECT_TRUE(Messages().empty());
  Load();
  EXPECT_EQ(Texts(values_), kFullTexts);
}

TEST_F(SettingsStore, ASettingsFileThatCannotBeReadIsReportedAndNeverOverwritten) {
  ASSERT_TRUE(std::filesystem::create_directory(ini_));
  EXPECT_EQ(ReadSetting(ini_, "General", "Extension", "txt", reports_), "");
  EXPECT_EQ(Messages(),
            std::vector<std::string>{testing::FolderAsFileText() + "\r\nTolvanex:MyGetSetting"});

  Save();
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(ini_));
}

TEST_F(SettingsStore, WriteSettingEditsOneKey) {
  WriteIni(kFull);
  WriteSetting(ini_, "general", "extension", "log", reports_);
  EXPECT_EQ(ReadSetting(ini_, "General", "Extension", "txt", reports_), "log");
  EXPECT_EQ(ReadSetting(ini_, "General", "DataFile", "d", reports_), "/data/Sd01.dat");
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace tolvanex
