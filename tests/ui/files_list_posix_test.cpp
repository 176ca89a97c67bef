// The files list over what only POSIX folders hold: symbolic links (to files, to folders, to
// nothing, in a loop) and FIFOs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/list_rows.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/files_list_fixture.h"
#include "ui/files_list.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {
namespace {

using testing::FilesList;

TEST_F(FilesList, LeavesOutHiddenNamesFoldersLinksToFoldersAndPipes) {
  Touch("kept.dat");
  Touch(".hidden.dat");
  Touch("target.bin");
  std::filesystem::create_directory(folder / "sub.dat");
  std::filesystem::create_directory_symlink(folder / "sub.dat", folder / "tofolder.dat");
  std::filesystem::create_symlink(folder / "target.bin", folder / "tofile.dat");
  std::filesystem::create_symlink(folder / "gone.bin", folder / "dangling.dat");
  ASSERT_EQ(::mkfifo((folder / "pipe.dat").c_str(), 0600), 0);

  RefreshFilesListBox(form);
  EXPECT_EQ(testing::Rows(form.Lst_Files), (std::vector<std::string>{"kept.dat", "tofile.dat"}));
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST_F(FilesList, AnUnreadableFolderIsReported) {
  std::filesystem::create_symlink(folder / "loop-b", folder / "loop-a");
  std::filesystem::create_symlink(folder / "loop-a", folder / "loop-b");
  form.Lst_Files.AddItem("stale.dat");
  form.Lbl_Folder[1].Caption = folder / "loop-a";

  RefreshFilesListBox(form);
  EXPECT_EQ(form.Lst_Files.ListCount(), 0);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            std::make_error_code(std::errc::too_many_symbolic_link_levels).message() +
                "\r\nTolvanex:RefreshFilesListBox");
  EXPECT_EQ(desktop.Messages[0].Title, "Tolvanex");
}

}  // namespace
}  // namespace tolvanex
