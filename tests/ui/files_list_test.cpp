#include "ui/files_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/guards.h"
#include "tests/support/list_rows.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/files_list_fixture.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {
namespace {

using testing::FilesList;

TEST_F(FilesList, ListsTheMatchingFilesSortedWithoutRegardToCase) {
  for (const char* name : {"b.dat", "A.dat", "c.dat", "notes.txt", "dat"}) Touch(name);
  RefreshFilesListBox(form);
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"A.dat", "b.dat", "c.dat"}));
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST_F(FilesList, AFolderCaptionEndingInASeparatorWorksTheSame) {
  Touch("12_3.dat");
  form.Lbl_Folder[1].Caption = folder.Path() + "/";
  RefreshFilesListBox(form);
  ASSERT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"12_3.dat"}));

  form.Lst_Files.SetListIndex(0);
  EditFile(form, 2);
  EXPECT_EQ(desktop.EditorPaths, (std::vector<std::string>{folder.Path() + "/12_3.dat"}));
}

TEST_F(FilesList, AMissingFolderEmptiesTheListWithoutAReport) {
  form.Lst_Files.AddItem("stale.dat");
  for (const std::string& caption : {folder / "missing", folder / "missing/deeper"}) {
    form.Lbl_Folder[1].Caption = caption;
    RefreshFilesListBox(form);
    EXPECT_EQ(form.Lst_Files.ListCount(), 0) << caption;
  }
  Touch("plain.dat");
  form.Lbl_Folder[1].Caption = folder / "plain.dat";  // a file where the folder should be
  RefreshFilesListBox(form);
  EXPECT_EQ(form.Lst_Files.ListCount(), 0);
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST_F(FilesList, ARefillDropsTheSelectionAndDisablesTheListsEditButton) {
  Touch("a.dat");
  RefreshFilesListBox(form);
  form.Lst_Files.SetListIndex(0);
  Lst_Files_Click(form);
  ASSERT_TRUE(form.Cmd_Edit[2].Enabled);

  RefreshFilesListBox(form);
  EXPECT_EQ(form.Lst_Files.ListIndex(), -1);
  EXPECT_FALSE(form.Cmd_Edit[2].Enabled);
}

TEST_F(FilesList, AnEmptyFolderCaptionListsTheCurrentFolder) {
  testing::CurrentFolderGuard guard;
  Touch("here.dat");
  std::filesystem::current_path(folder.Path());
  form.Lbl_Folder[1].Caption = "";
  RefreshFilesListBox(form);
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"here.dat"}));
}

struct ExtensionCase {
  const char* Name;
  const char* Extension;
  bool Listed;
};

void PrintTo(const ExtensionCase& c, std::ostream* out) {
  *out << '"' << c.Name << "\" with \"" << c.Extension << '"';
}

class ExtensionMatch : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionMatch, DecidesWhetherANameIsListed) {
  EXPECT_EQ(MatchesExtension(GetParam().Name, GetParam().Extension), GetParam().Listed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionMatch,
    ::testing::Values(ExtensionCase{"a.dat", "dat", true}, ExtensionCase{"a.DAT", "dat", true},
                      ExtensionCase{"a.b.dat", "dat", true}, ExtensionCase{"a.data", "dat", false},
                      ExtensionCase{"adat", "dat", false}, ExtensionCase{"dat", "dat", false},
                      ExtensionCase{".dat", "dat", false}, ExtensionCase{".x.dat", "dat", false},
                      ExtensionCase{"a.dat.old", "dat", false},
                      ExtensionCase{"x.tar.gz", "tar.gz", true},
                      ExtensionCase{"x.gz", "tar.gz", false}, ExtensionCase{"a", "", true},
                      ExtensionCase{"a.", "", true}, ExtensionCase{"a.b", "", false},
                      ExtensionCase{".profile", "", false}, ExtensionCase{"", "", false}));

class EditButtons : public FilesList {
 protected:
  EditButtons() {
    form.Txt_File[0].Text = "/data/Sd1.dat";
    form.Txt_File[1].Text = "/data/my sites.lkp";
    form.Lbl_File[0].Caption = "/posts/230714A.pst";
    form.Lst_Files.AddItem("12_3.dat");
    form.Lst_Files.AddItem("1_2.dat");
    form.Lst_Files.SetListIndex(1);
    form.Engine.Session().Lookup.Loaded = true;
  }
};

TEST_F(EditButtons, EachIndexOpensItsFile) {
  const std::vector<std::pair<int, std::string>> cases{{0, "/data/Sd1.dat"},
                                                       {1, "/data/my sites.lkp"},
                                                       {2, folder / "1_2.dat"},
                                                       {3, "/posts/230714A.pst"},
                                                       {4, ""},
                                                       {-1, ""}};
  for (const auto& [index, path] : cases) {
    desktop.EditorPaths.clear();
    EditFile(form, index);
    EXPECT_EQ(desktop.EditorPaths, (std::vector<std::string>{path})) << index;
  }
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST_F(EditButtons, AFailedStartIsReportedWithThePath) {
  desktop.EditorFails = true;
  EditFile(form, 1);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            "The editor could not be started\r\nTolvanex:EditFile: /data/my sites.lkp");
}

TEST_F(EditButtons, EveryEditButtonHasTheLookupTableReadAgain) {
  for (int index = 0; index < 4; ++index) {
    form.Engine.Session().Lookup.Loaded = true;
    Cmd_Edit_Click(form, index);
    EXPECT_FALSE(form.Engine.Session().Lookup.Loaded) << index;
  }
  desktop.EditorFails = true;
  form.Engine.Session().Lookup.Loaded = true;
  Cmd_Edit_Click(form, 0);
  EXPECT_FALSE(form.Engine.Session().Lookup.Loaded);
}

TEST_F(EditButtons, ADoubleClickOpensTheEntryAndKeepsTheLookupTable) {
  form.Lst_Files.SetListIndex(0);
  Lst_Files_Click(form);
  EXPECT_TRUE(form.Cmd_Edit[2].Enabled);
  Lst_Files_DblClick(form);
  EXPECT_EQ(desktop.EditorPaths, (std::vector<std::string>{folder / "12_3.dat"}));
  EXPECT_TRUE(form.Engine.Session().Lookup.Loaded);
}

}  // namespace
}  // namespace tolvanex
