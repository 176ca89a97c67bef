#include "ui/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/guards.h"
#include "tests/support/list_rows.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/startup_fixture.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {
namespace {

using testing::StartUp;

const std::vector<std::string> kFormatList{"d mmm yyyy HH:MM", "m/d/yyyy HH:MM", "yyyy-mm-dd HH:MM",
                                           "d/m/yyyy HH:MM"};

TEST_F(StartUp, WithAnEmptySettingsFileShowsTheDefaultsAndListsTheProgramsFolder) {
  testing::WriteFile(folder / "b.txt", "");
  testing::WriteFile(folder / "A.txt", "");
  testing::WriteFile(folder / "c.dat", "");

  Form_Load(form);
  EXPECT_EQ(form.IniFile, IniPath());
  EXPECT_EQ(form.Cmb_Dateformat.Items, kFormatList);
  EXPECT_EQ(form.Cmb_Dateformat.Text, "d mmm yyyy HH:MM");
  EXPECT_EQ(form.Txt_Extension.Text, "txt");
  EXPECT_EQ(form.Lbl_Folder[1].Caption, folder.Path());
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"A.txt", "b.txt"}));
  EXPECT_TRUE(desktop.Messages.empty());
  EXPECT_EQ(desktop.WindowsClosed, 0);
  // Nothing is written before the window closes.
  EXPECT_EQ(testing::ReadFile(IniPath()), "");
}

TEST_F(StartUp, ListsTheFolderAndExtensionThatTheSettingsName) {
  std::filesystem::create_directory(folder / "sites");
  testing::WriteFile(folder / "sites/1_2.csv", "");
  testing::WriteFile(folder / "sites/1_2.txt", "");
  testing::WriteFile(IniPath(), "[General]\r\nExtension=csv\r\nOutputFolder=" + folder / "sites" +
                                    "\r\nDateFormat=yyyy/mm/dd\r\n");
  form.Cmb_Dateformat.Items.push_back("left over");

  Form_Load(form);
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"1_2.csv"}));
  EXPECT_EQ(form.Cmb_Dateformat.Items, kFormatList);
  EXPECT_EQ(form.Cmb_Dateformat.Text, "yyyy/mm/dd");
}

TEST_F(StartUp, GoesOnAfterTheSettingsReportTheirOwnFailure) {
  testing::WriteFile(folder / "x.dat", "");
  testing::WriteFile(IniPath(), "[General]\r\nOutputTextFile=x\r\nOutputFolder=/elsewhere\r\n");
  form.Lbl_Folder[1].Caption = folder.Path();

  Form_Load(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_TRUE(desktop.Messages[0].Text.ends_with("\r\nTolvanex:LoadSettings"));
  // The rows after the bad one keep what the window held, and the list is read from them.
  EXPECT_EQ(form.Txt_Extension.Text, "dat");
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"x.dat"}));
}

TEST_F(StartUp, ASecondInstanceOnlySaysSoAndWritesNoSettings) {
  desktop.InstanceRunning = true;
  desktop.Info.Name = "tolvanex-nightly";
  Form_Load(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "tolvanex-nightly is already running");
  EXPECT_EQ(desktop.Messages[0].Title, "Tolvanex");
  EXPECT_EQ(desktop.WindowsClosed, 1);
  EXPECT_EQ(form.IniFile, "");
  EXPECT_TRUE(form.Cmb_Dateformat.Items.empty());

  // The front end's close request follows the window's close.
  Form_QueryUnload(form);
  EXPECT_EQ(testing::ReadFile(IniPath()), "");
  EXPECT_FALSE(testing::Exists(home));
  EXPECT_EQ(desktop.Messages.size(), 1u);
}

// A desktop that cannot tell whether another instance runs (its lock file cannot be opened).
class NoInstanceTest : public testing::ScriptedPlatform {
 public:
  bool AnotherInstanceRunning() override { throw std::runtime_error("Permission denied"); }
};

TEST(StartUpFailure, IsReportedAsLoadAndEndsStartUp) {
  NoInstanceTest desktop;
  Frm_Tolvanex form{desktop};
  Form_Load(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "Permission denied\r\nTolvanex:Load");
  EXPECT_EQ(form.IniFile, "");
  EXPECT_TRUE(form.Cmb_Dateformat.Items.empty());
  EXPECT_EQ(desktop.WindowsClosed, 0);
}

class Closing : public StartUp {
 protected:
  Closing() {
    Form_Load(form);
    form.Txt_Extension.Text = "csv";
  }
};

TEST_F(Closing, TheCloseRequestSavesTheSettings) {
  Form_QueryUnload(form);
  ASSERT_TRUE(testing::Exists(IniPath()));
  std::string saved = testing::ReadFile(IniPath());
  EXPECT_TRUE(saved.starts_with("[General]\r\nDataFile="));
  EXPECT_NE(saved.find("\r\nExtension=csv\r\n"), std::string::npos);
}

TEST_F(Closing, ExitSavesTwiceWithTheSameContent) {
  Cmd_Close_Click(form);
  EXPECT_EQ(desktop.WindowsClosed, 1);
  ASSERT_TRUE(testing::Exists(IniPath()));
  std::string byTheButton = testing::ReadFile(IniPath());
  std::filesystem::remove(IniPath());

  Form_QueryUnload(form);
  ASSERT_TRUE(testing::Exists(IniPath()));
  EXPECT_EQ(testing::ReadFile(IniPath()), byTheButton);
  EXPECT_NE(byTheButton.find("\r\nExtension=csv\r\n"), std::string::npos);
}

TEST_F(Closing, FileExitClosesAndLeavesTheSavingToTheCloseRequest) {
  mnu_File_Click(form, 1);
  EXPECT_EQ(desktop.WindowsClosed, 1);
  EXPECT_EQ(testing::ReadFile(IniPath()), "");
}

TEST_F(Closing, FileOpenChoosesTheDataFileAndKeepsTheLookupTable) {
  std::string lookupFile = form.Txt_File[1].Text;
  form.Engine.Session().Lookup.Loaded = true;
  desktop.OpenAnswers.push_back("/logger/Sd9.dat");
  mnu_File_Click(form, 0);
  ASSERT_EQ(desktop.OpenDialogs.size(), 1u);
  EXPECT_EQ(desktop.OpenDialogs[0].Filters.size(), 3u);
  EXPECT_EQ(form.Txt_File[0].Text, "/logger/Sd9.dat");
  EXPECT_EQ(form.Txt_File[1].Text, lookupFile);
  EXPECT_TRUE(form.Engine.Session().Lookup.Loaded);
}

TEST_F(Closing, AnyOtherFileMenuIndexDoesNothing) {
  mnu_File_Click(form, 2);
  mnu_File_Click(form, -1);
  EXPECT_TRUE(desktop.OpenDialogs.empty());
  EXPECT_EQ(desktop.WindowsClosed, 0);
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST(About, ShowsFourLinesUnderItsOwnTitle) {
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
  mnu_Help_Click(form, 0);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Title, "Quenbury");
  EXPECT_EQ(desktop.Messages[0].Text,
            "Sondrel data processing\r\nMade by the Tolvanex developers\r\n"
            "support@tolvanex.invalid\r\nVersion 1.0.007");
}

TEST(About, WritesTheRevisionWithAtLeastThreeDigits) {
  const std::vector<std::pair<ProgramInfo, std::string>> cases{
      {{"", "", 1, 0, 7}, "Version 1.0.007"},    {{"", "", 1, 0, 0}, "Version 1.0.000"},
      {{"", "", 2, 13, 42}, "Version 2.13.042"}, {{"", "", 1, 0, 1234}, "Version 1.0.1234"},
      {{"", "", 1, 0, 999}, "Version 1.0.999"},
  };
  for (const auto& [program, lastLine] : cases) {
    std::string text = AboutText(program);
    EXPECT_EQ(text.substr(text.rfind("\r\n") + 2), lastLine);
  }
}

}  // namespace
}  // namespace tolvanex
