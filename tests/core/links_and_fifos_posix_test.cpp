// Names that POSIX lets hold something other than a file: symbolic links, FIFOs and devices under
// the names of a run's data, output and lookup files. A run never writes through a link to an
// output, never blocks on a special file, and follows a link to the lookup file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/run_driver.h"
#include "core/run_locks.h"
#include "model/frm_tolvanex.h"
#include "tests/support/run_folder.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

class LinksAndFifos : public ::testing::Test {
 protected:
  LinksAndFifos() {
    testing::PrepareRunFolder(folder.Path());
    testing::PointWindowAt(form, folder.Path());
    desktop.InputAnswers = {"512"};
  }

  testing::TempFolder folder;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(LinksAndFifos, ADataFileThatIsADeviceOrAFifo) {
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  for (std::string path : {std::string("/dev/zero"), folder / "fifo"}) {
    desktop.Messages.clear();
    form.Txt_File[0].Text = path;
    DoExport(form);
    ASSERT_EQ(desktop.Messages.size(), 1u) << path;
    EXPECT_EQ(desktop.Messages[0].Text, "Invalid argument\r\nTolvanex:DoExport: " + path);
    EXPECT_FALSE(form.RunState.Running);
  }
}

TEST_F(LinksAndFifos, TextFilesAreNeverWrittenThroughALinkNorBlockedOnAFifo) {
  testing::TempFolder elsewhere;
  testing::WriteFile(elsewhere / "long.txt", "Date, SN, 0.7 \r\nkept as it is\r\n");
  testing::WriteFile(elsewhere / "short.txt", "short");
  struct Case {
    const char* What;
    std::function<void(const std::string&)> Make;
  };
  for (const Case& c :
       {Case{"link to a file",
             [&](const std::string& p) { fs::create_symlink(elsewhere / "long.txt", p); }},
        Case{"link to a short file",
             [&](const std::string& p) { fs::create_symlink(elsewhere / "short.txt", p); }},
        Case{"dangling link",
             [&](const std::string& p) { fs::create_symlink(elsewhere / "new.txt", p); }},
        Case{"FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }}}) {
    testing::TempFolder run;
    testing::PrepareRunFolder(run.Path());
    c.Make(run / "text/2031_7.txt");
    testing::ScriptedPlatform runDesktop;
    runDesktop.InputAnswers = {"512"};
    Frm_Tolvanex runForm(runDesktop);
    testing::PointWindowAt(runForm, run.Path());
    DoExport(runForm);
    ASSERT_FALSE(runDesktop.Messages.empty()) << c.What;
    EXPECT_EQ(runDesktop.Messages[0].Text,
              "Not a regular file\r\nTolvanex:ExportPostFile: " + (run / "text/2031_7.txt"))
        << c.What;
    EXPECT_FALSE(runForm.RunState.ReachedEndOfData);
  }
  EXPECT_EQ(testing::ReadFile(elsewhere / "long.txt"), "Date, SN, 0.7 \r\nkept as it is\r\n");
  EXPECT_EQ(testing::ReadFile(elsewhere / "short.txt"), "short");
  EXPECT_FALSE(testing::Exists(elsewhere / "new.txt"));
}

TEST_F(LinksAndFifos, APostFileNameHeldByALinkOrAFifoIsPassedOver) {
  testing::TempFolder elsewhere;
  fs::create_symlink(elsewhere / "target.pst", folder / "post/23Jul14.pst");
  ASSERT_EQ(::mkfifo((folder / "post/23Jul14A.pst").c_str(), 0600), 0);
  DoExport(form);
  EXPECT_TRUE(desktop.Messages.empty());
  EXPECT_TRUE(form.RunState.ReachedEndOfData);
  EXPECT_EQ(testing::ReadFile(folder / "post/23Jul14B.pst"),
            testing::ReadFile(testing::RunData() + "/expected/23Jul14.pst"));
  EXPECT_FALSE(testing::Exists(elsewhere / "target.pst"));
}

TEST_F(LinksAndFifos, ALookupLinkIsFollowedAndASpecialFileRefused) {
  testing::TempFolder shared;
  fs::copy_file(folder / "sites.lkp", shared / "sites.lkp");
  fs::remove(folder / "sites.lkp");
  fs::create_symlink(shared / "sites.lkp", folder / "sites.lkp");
  DoExport(form);
  EXPECT_TRUE(fs::is_symlink(folder / "sites.lkp"));
  EXPECT_EQ(testing::ReadFile(shared / "sites.lkp"),
            testing::ReadFile(testing::RunData() + "/expected/sites.lkp"));

  testing::TempFolder run;
  testing::PrepareRunFolder(run.Path());
  fs::remove(run / "sites.lkp");
  ASSERT_EQ(::mkfifo((run / "sites.lkp").c_str(), 0600), 0);
  testing::ScriptedPlatform runDesktop;
  Frm_Tolvanex runForm(runDesktop);
  testing::PointWindowAt(runForm, run.Path());
  DoExport(runForm);
  ASSERT_FALSE(runDesktop.Messages.empty());
  EXPECT_EQ(runDesktop.Messages[0].Text, "Not a regular file\r\nTolvanex:LoadLookup");
  struct stat info {};
  ASSERT_EQ(::lstat((run / "sites.lkp").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));  // never replaced
}

}  // namespace
}  // namespace tolvanex
