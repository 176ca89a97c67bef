#include "ui/pickers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errors.h"
#include "tests/support/guards.h"
#include "tests/support/list_rows.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {
namespace {

using Filters = std::vector<FileFilter>;

// A desktop whose dialogs fail instead of opening.
class BrokenDialogs : public testing::ScriptedPlatform {
 public:
  std::optional<std::string> ShowOpen(const Filters&, const std::string&) override {
    throw std::runtime_error("The dialog could not be opened");
  }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    throw std::runtime_error("The picker could not be opened");
  }
};

std::string Here() {
  return std::filesystem::current_path().string();
}

TEST(FilterText, OffersTheDataFilesTheirBackupsAndAllFiles) {
  EXPECT_EQ(FilterText(0),
            "Sondrel files (Sd*.dat)|Sd*.dat|Sondrel Backup (Sd*.old)|Sd*.old|All files (*.*)|*.*");
  EXPECT_EQ(FilterText(1), "Lookup files (*.lkp)|*.lkp|All files (*.*)|*.*");
}

TEST(ParseFilterText, SplitsThePairs) {
  EXPECT_EQ(ParseFilterText(FilterText(1)),
            (Filters{{"Lookup files (*.lkp)", "*.lkp"}, {"All files (*.*)", "*.*"}}));
  EXPECT_EQ(ParseFilterText(""), Filters{});
  EXPECT_EQ(ParseFilterText("Everything|"), (Filters{{"Everything", ""}}));
  EXPECT_EQ(ParseFilterText("|*.x"), (Filters{{"", "*.x"}}));
}

TEST(ParseFilterText, RefusesADescriptionWithoutAPattern) {
  EXPECT_THROW(ParseFilterText("Lookup files"), Failure);
  EXPECT_THROW(ParseFilterText("a|*.a|b"), Failure);
}

class FilePicker : public ::testing::Test {
 protected:
  FilePicker() {
    form.Txt_File[0].Text = folder / "Sd1.dat";
    form.Txt_File[1].Text = folder / "sites.lkp";
  }

  testing::CurrentFolderGuard guard;
  testing::TempFolder folder;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(FilePicker, TheDataFileDialogOffersThreeFiltersAndTheCurrentName) {
  desktop.OpenAnswers.push_back("/logger/Sd7.old");
  GetFileName(form, 0);
  ASSERT_EQ(desktop.OpenDialogs.size(), 1u);
  EXPECT_EQ(desktop.OpenDialogs[0].Filters, (Filters{{"Sondrel files (Sd*.dat)", "Sd*.dat"},
                                                     {"Sondrel Backup (Sd*.old)", "Sd*.old"},
                                                     {"All files (*.*)", "*.*"}}));
  EXPECT_EQ(desktop.OpenDialogs[0].InitialName, folder / "Sd1.dat");
  EXPECT_EQ(form.Txt_File[0].Text, "/logger/Sd7.old");
  EXPECT_EQ(form.Txt_File[1].Text, folder / "sites.lkp");
}

TEST_F(FilePicker, TheLookupFileDialogOffersTwoFilters) {
  desktop.OpenAnswers.push_back("/sites/new.lkp");
  GetFileName(form, 1);
  ASSERT_EQ(desktop.OpenDialogs.size(), 1u);
  EXPECT_EQ(desktop.OpenDialogs[0].Filters,
            (Filters{{"Lookup files (*.lkp)", "*.lkp"}, {"All files (*.*)", "*.*"}}));
  EXPECT_EQ(desktop.OpenDialogs[0].InitialName, folder / "sites.lkp");
  EXPECT_EQ(form.Txt_File[1].Text, "/sites/new.lkp");
}

TEST_F(FilePicker, TheDialogOpensInTheFolderOfTheCurrentName) {
  std::filesystem::create_directory(folder / "logger");
  form.Txt_File[0].Text = folder / "logger/Sd1.dat";
  GetFileName(form, 0);
  EXPECT_EQ(Here(), std::filesystem::canonical(folder / "logger").string());
}

TEST_F(FilePicker, ABareNameOrAMissingFolderKeepsTheCurrentFolderSilently) {
  std::filesystem::current_path(folder.Path());
  for (const std::string& name : {std::string("Sd1.dat"), folder / "gone/Sd1.dat"}) {
    form.Txt_File[0].Text = name;
    GetFileName(form, 0);
    EXPECT_EQ(Here(), std::filesystem::canonical(folder.Path()).string()) << name;
  }
  EXPECT_EQ(desktop.OpenDialogs.size(), 2u);
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST_F(FilePicker, ANameInTheRootOpensTheRoot) {
  form.Txt_File[0].Text = "/Sd1.dat";
  GetFileName(form, 0);
  EXPECT_EQ(Here(), std::filesystem::path(Here()).root_path().string());  // "/", or "C:\\"
}

TEST_F(FilePicker, CancelChangesNothingButTheButtonsStillHaveTheLookupTableReadAgain) {
  for (int index : {0, 1}) {
    std::string before = form.Txt_File[index].Text;
    form.Engine.Session().Lookup.Loaded = true;
    Cmd_GetFile_Click(form, index);
    EXPECT_EQ(form.Txt_File[index].Text, before);
    EXPECT_FALSE(form.Engine.Session().Lookup.Loaded) << index;
  }
  EXPECT_EQ(desktop.OpenDialogs.size(), 2u);
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST(FilePickerFailure, IsShownWithItsDescriptionAloneAndKeepsTheField) {
  BrokenDialogs desktop;
  Frm_Tolvanex form{desktop};
  form.Txt_File[0].Text = "Sd1.dat";
  GetFileName(form, 0);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "The dialog could not be opened");
  EXPECT_EQ(desktop.Messages[0].Title, "Tolvanex");
  EXPECT_EQ(form.Txt_File[0].Text, "Sd1.dat");
}

class FolderPicker : public ::testing::Test {
 protected:
  FolderPicker() {
    form.Lbl_Folder[0].Caption = "/posts";
    form.Lbl_Folder[1].Caption = "/sites";
    form.Txt_Extension.Text = "dat";
    form.Lst_Files.AddItem("earlier.dat");
    testing::WriteFile(folder / "12_3.dat", "");
    testing::WriteFile(folder / "4_5.dat", "");
  }

  testing::CurrentFolderGuard guard;
  testing::TempFolder folder;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(FolderPicker, ANewPostFolderLeavesTheListAsItWas) {
  desktop.FolderAnswers.push_back(folder.Path());
  Cmd_GetFolder_Click(form, 0);
  ASSERT_EQ(desktop.FolderPickers.size(), 1u);
  EXPECT_EQ(desktop.FolderPickers[0].Prompt, "Locate a folder for Folder for post files");
  EXPECT_EQ(desktop.FolderPickers[0].StartFolder, "/posts");
  EXPECT_EQ(form.Lbl_Folder[0].Caption, folder.Path());
  EXPECT_EQ(form.Lbl_Folder[1].Caption, "/sites");
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"earlier.dat"}));
}

TEST_F(FolderPicker, ANewOutputFolderRefillsTheList) {
  desktop.FolderAnswers.push_back(folder.Path());
  Cmd_GetFolder_Click(form, 1);
  ASSERT_EQ(desktop.FolderPickers.size(), 1u);
  EXPECT_EQ(desktop.FolderPickers[0].Prompt, "Locate a folder for Folder for output files");
  EXPECT_EQ(desktop.FolderPickers[0].StartFolder, "/sites");
  EXPECT_EQ(form.Lbl_Folder[1].Caption, folder.Path());
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"12_3.dat", "4_5.dat"}));
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST_F(FolderPicker, CancelChangesNeitherTheCaptionNorTheList) {
  for (int index : {0, 1}) Cmd_GetFolder_Click(form, index);
  EXPECT_EQ(desktop.FolderPickers.size(), 2u);
  EXPECT_EQ(form.Lbl_Folder[0].Caption, "/posts");
  EXPECT_EQ(form.Lbl_Folder[1].Caption, "/sites");
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"earlier.dat"}));
}

TEST_F(FolderPicker, AnEmptyCaptionStartsAtTheCurrentFolder) {
  std::filesystem::current_path(folder.Path());
  form.Lbl_Folder[1].Caption = "";
  Cmd_GetFolder_Click(form, 1);
  ASSERT_EQ(desktop.FolderPickers.size(), 1u);
  EXPECT_EQ(desktop.FolderPickers[0].StartFolder, Here());
  EXPECT_EQ(form.Lbl_Folder[1].Caption, "");
}

TEST_F(FolderPicker, AFolderFieldThatDoesNotExistIsReportedAsTheFolderChoice) {
  Cmd_GetFolder_Click(form, 2);
  EXPECT_TRUE(desktop.FolderPickers.empty());
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "There is no such folder field\r\nTolvanex:Folder choice");
}

TEST(FolderPickerFailure, IsShownWithItsDescriptionAloneAndKeepsTheCaption) {
  BrokenDialogs desktop;
  Frm_Tolvanex form{desktop};
  form.Lbl_Folder[1].Caption = "/sites";
  form.Lst_Files.AddItem("earlier.dat");
  Cmd_GetFolder_Click(form, 1);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "The picker could not be opened");
  EXPECT_EQ(form.Lbl_Folder[1].Caption, "/sites");
  EXPECT_EQ(form.Lst_Files.ListCount(), 1);
}

TEST(DroppedFiles, OneExistingFileIsTakenAsIfChosenAndNothingElse) {
  testing::TempFolder folder;
  std::string file = folder / "SdNew.dat";
  testing::WriteFile(file, "");
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form(desktop);

  EXPECT_TRUE(CanDropFiles(form, {file}));
  EXPECT_FALSE(CanDropFiles(form, {}));
  EXPECT_FALSE(CanDropFiles(form, {file, file}));
  EXPECT_FALSE(CanDropFiles(form, {folder.Path()}));
  EXPECT_FALSE(CanDropFiles(form, {folder / "missing.dat"}));
  form.Run.Running = true;
  EXPECT_FALSE(CanDropFiles(form, {file}));
  form.Run.Running = false;

  form.Engine.Session().Lookup.Loaded = true;
  DropFile(form, 1, file);
  EXPECT_EQ(form.Txt_File[1].Text, file);
  EXPECT_EQ(form.Txt_File[0].Text, "SondrelFile.dat");
  EXPECT_FALSE(form.Engine.Session().Lookup.Loaded);
}

}  // namespace
}  // namespace tolvanex
