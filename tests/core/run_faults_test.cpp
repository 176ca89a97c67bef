// Faults in the middle of a run: a full disk under each kind of file the program writes, and a
// data file that stops reading. Every report carries its label, the run ends, and no file is
// left with a cut line or loses what it held.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>

#include "core/run_driver.h"
#include "model/frm_tolvanex.h"
#include "system/file_io.h"
#include "tests/support/disk_full.h"
#include "tests/support/run_folder.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

class RunFaults : public ::testing::Test {
 protected:
  RunFaults() {
    testing::PrepareRunFolder(folder.Path());
    testing::PointWindowAt(form, folder.Path());
    // What a run without faults writes, for comparing what a faulty run leaves.
    testing::PrepareRunFolder(clean.Path());
    testing::ScriptedPlatform cleanDesktop;
    cleanDesktop.InputAnswers = {"512"};
    Frm_Tolvanex cleanForm{cleanDesktop};
    testing::PointWindowAt(cleanForm, clean.Path());
    DoExport(cleanForm);
  }
  ~RunFaults() override { io::ResetHooks(); }

  // Every output file holds whole lines that begin what the run without faults wrote.
  void ExpectWholeLinesOfTheCleanRun() {
    for (const char* kind : {"post", "text"}) {
      for (const auto& entry : fs::directory_iterator(folder / kind)) {
        std::string name = entry.path().filename();
        std::string content = testing::ReadFile(entry.path());
        std::string full = testing::ReadFile(clean / (std::string(kind) + "/" + name));
        EXPECT_TRUE(full.starts_with(content)) << name;
        EXPECT_TRUE(content.empty() || content.ends_with("\r\n")) << name;
      }
    }
  }

  std::vector<std::string> LeftOver(const std::string& at) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(at)) {
      std::string name = entry.path().filename();
      if (name.starts_with(".tolvanex-")) names.push_back(name);
    }
    return names;
  }

  testing::TempFolder folder;
  testing::TempFolder clean;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(RunFaults, AFullDiskUnderThePostFilesEndsTheRunWithTheWritersReport) {
  desktop.InputAnswers = {"512"};
  testing::DiskFullAfter full(500, folder / "post");  // the header fits, the readings do not
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            "No space left on device\r\nTolvanex:ExportPostFile: " + (folder / "post/23Jul14.pst"));
  EXPECT_FALSE(form.RunState.ReachedEndOfData);
  EXPECT_FALSE(form.RunState.PostFile.IsOpen());
  EXPECT_EQ(form.Cmd_Export.Caption, "&Process");
  ExpectWholeLinesOfTheCleanRun();
  EXPECT_EQ(testing::ReadFile(folder / "post/23Jul14.pst"), "");  // taken back whole
}

TEST_F(RunFaults, AFullDiskUnderTheTextFilesIsReportedWithTheTextFilesPath) {
  desktop.InputAnswers = {"512"};
  testing::DiskFullAfter full(40, folder / "text/2031_8");
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            "No space left on device\r\nTolvanex:ExportPostFile: " + (folder / "text/2031_8.txt"));
  EXPECT_FALSE(form.RunState.ReachedEndOfData);
  ExpectWholeLinesOfTheCleanRun();
  // The other files were still closed with everything the run gave them.
  EXPECT_EQ(testing::ReadFile(folder / "text/2031_7.txt"),
            testing::ReadFile(clean / "text/2031_7.txt"));
}

TEST_F(RunFaults, AFullDiskUnderTheLookupFileLeavesItAsItWas) {
  std::string before = testing::ReadFile(folder / "sites.lkp");
  desktop.InputAnswers = {"512"};
  testing::DiskFullAfter full(10, folder.Path() + "/.tolvanex-");
  DoExport(form);
  ASSERT_FALSE(desktop.Messages.empty());
  EXPECT_EQ(desktop.Messages[0].Text,
            "No space left on device\r\nTolvanex:SaveLookupFile: " + (folder / "sites.lkp"));
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), before);
  EXPECT_TRUE(LeftOver(folder.Path()).empty());
  ExpectWholeLinesOfTheCleanRun();
}

TEST_F(RunFaults, ADataFileThatStopsReadingEndsTheRunWithItsPath) {
  // Long enough for several blocks; the second block cannot be read.
  std::string data = testing::ReadFile(folder / "data.dat");
  std::string large;
  while (large.size() < 3 * 1024 * 1024) large += data;
  testing::WriteFile(folder / "data.dat", large);
  int reads = 0;
  std::string dataPath = folder / "data.dat";
  io::CurrentHooks().Read = [&](int fd, void* buffer, std::size_t size) -> ssize_t {
    if (testing::PathOfDescriptor(fd) == dataPath && ++reads == 2) {
      errno = EIO;
      return -1;
    }
    return ::read(fd, buffer, size);
  };
  desktop.InputAnswers = {"512"};
  form.Chk_OutputPostFile.Value = 0;  // the copies would take every post file name of the day
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "Input/output error\r\nTolvanex:DoExport: " + dataPath);
  EXPECT_FALSE(form.RunState.Running);
  // The text files were closed with what the first block gave them, which is all of it.
  for (const auto& entry : fs::directory_iterator(folder / "text")) {
    std::string name = entry.path().filename();
    EXPECT_EQ(testing::ReadFile(entry.path()), testing::ReadFile(clean / ("text/" + name)));
  }
}

}  // namespace
}  // namespace tolvanex
