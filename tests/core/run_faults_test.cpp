// Faults in the middle of a run: a full disk under each kind of file the program writes, and a
// data file that stops reading. Every report carries its label, the run ends, and no file is
// left with a cut line or loses what it held.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/run_driver.h"
#include "ui/frm_tolvanex.h"
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
  ~RunFaults() override { io::ResetFaultHook(); }

  // Every output file holds whole lines that begin what the run without faults wrote.
  void ExpectWholeLinesOfTheCleanRun() {
    for (const char* kind : {"post", "text"}) {
      for (const auto& entry : fs::directory_iterator(folder / kind)) {
        std::string name = entry.path().filename().string();
        std::string content = testing::ReadFile(entry.path().string());
        std::string full = testing::ReadFile(clean / (std::string(kind) + "/" + name));
        EXPECT_TRUE(full.starts_with(content)) << name;
        EXPECT_TRUE(content.empty() || content.ends_with("\r\n")) << name;
      }
    }
  }

  std::vector<std::string> LeftOver(const std::string& at) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(at)) {
      std::string name = entry.path().filename().string();
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
  // Nothing of the file was whole, so nothing was published, and its temporary is gone.
  EXPECT_FALSE(testing::Exists(folder / "post/23Jul14.pst"));
  EXPECT_TRUE(LeftOver(folder / "post").empty());
}

// Twenty thousand readings of the two known pairs, a minute apart, SN changing every 2000.
std::string ManyReadings() {
  std::string data = "Logger export\r\n";
  for (int n = 0; n < 20000; ++n) {
    int minute = n / 2;
    char line[160];
    std::snprintf(
        line, sizeof line, "\"2031\",\"%d\",\"%d Jul 2023 %02d:%02d\",S%d,0.7,%d.5,0,1.5,-%d,0\r\n",
        7 + n % 2, 14 + minute / 1440, minute / 60 % 24, minute % 60, n / 2000, n % 89, n % 7);
    data += line;
  }
  return data;
}

// The reading lines of the published files: a post file's lines after its 17 header lines, a
// text file's after its one.
std::int64_t ReadingLinesIn(const std::string& folder, std::size_t headerLines) {
  std::int64_t count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".")) continue;
    std::string content = testing::ReadFile(entry.path().string());
    std::int64_t lines = 0;
    for (std::size_t at = 0; (at = content.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    count += std::max<std::int64_t>(lines - static_cast<std::int64_t>(headerLines), 0);
  }
  return count;
}

// A run of its own in a fresh folder: the end-to-end data, or the data given.
struct FreshRun {
  explicit FreshRun(const std::string& data = "") {
    testing::PrepareRunFolder(folder.Path());
    if (!data.empty()) testing::WriteFile(folder / "data.dat", data);
    testing::PointWindowAt(form, folder.Path());
  }
  // The run with every operation of the kind on a file under the path failing with EIO.
  void ExportFailing(io::FileOperation kind, const std::string& under) {
    std::string prefix = folder / under;
    testing::FailingFiles failing([&](io::FileOperation operation, const std::string& path) {
      return operation == kind && path.starts_with(prefix) ? EIO : 0;
    });
    DoExport(form);
  }

  testing::TempFolder folder;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

// The final status of a run in the folder that counts what its post and text files hold.
std::string FinalStatusOfWhatIsOnDisk(const testing::TempFolder& run) {
  std::int64_t readings = ReadingLinesIn(run / "post", 17) + ReadingLinesIn(run / "text", 1);
  std::int64_t postFiles = 0;
  for (const auto& entry : fs::directory_iterator(run / "post")) {
    postFiles += entry.path().extension() == ".pst" ? 1 : 0;
  }
  return "Finished - posted " + std::to_string(readings) + " readings to " +
         std::to_string(postFiles) + " post file(s)";
}

TEST_F(RunFaults, AfterAFullDiskTheFinalCountIsWhatThePublishedFilesHold) {
  for (const char* full : {"post", "text"}) {
    FreshRun fresh(ManyReadings());
    testing::TempFolder& run = fresh.folder;
    testing::ScriptedPlatform& runDesktop = fresh.desktop;
    Frm_Tolvanex& runForm = fresh.form;
    {
      // Beyond the first flush of 256 KiB, so that whole files and lines came before.
      testing::DiskFullAfter disk(300 * 1024, run / full);
      DoExport(runForm);
    }
    ASSERT_EQ(runDesktop.Messages.size(), 1u) << full;
    EXPECT_TRUE(runDesktop.Messages[0].Text.starts_with("No space left on device\r\n")) << full;
    EXPECT_FALSE(runForm.RunState.ReachedEndOfData);
    std::int64_t inFiles = ReadingLinesIn(run / "post", 17) + ReadingLinesIn(run / "text", 1);
    EXPECT_GT(inFiles, 0) << full;
    EXPECT_EQ(runForm.Lbl_Status.Caption, FinalStatusOfWhatIsOnDisk(run)) << full;
    EXPECT_TRUE(LeftOver(run / "post").empty()) << full;
  }
}

TEST_F(RunFaults, AFailedWriteBackOrRenameIsReportedWithTheFilesPathAndEndsTheRunUnfinished) {
  struct Case {
    io::FileOperation Operation;
    std::string Under;
    std::string Label;
  };
  for (const Case& c : {Case{io::FileOperation::Sync, "post/", "post/23Jul14.pst"},
                        Case{io::FileOperation::Rename, "post/", "post/23Jul14.pst"},
                        Case{io::FileOperation::Sync, "text/2031_8", "text/2031_8.txt"}}) {
    FreshRun fresh;
    fresh.desktop.InputAnswers = {"512"};
    fresh.ExportFailing(c.Operation, c.Under);
    testing::TempFolder& run = fresh.folder;
    testing::ScriptedPlatform& runDesktop = fresh.desktop;
    Frm_Tolvanex& runForm = fresh.form;
    ASSERT_FALSE(runDesktop.Messages.empty()) << c.Label;
    EXPECT_EQ(runDesktop.Messages[0].Text,
              "Input/output error\r\nTolvanex:ExportPostFile: " + (run / c.Label));
    EXPECT_FALSE(runForm.RunState.ReachedEndOfData) << c.Label;
    if (c.Under == "post/") {
      EXPECT_FALSE(testing::Exists(run / c.Label));
    }
    EXPECT_TRUE(LeftOver(run / "post").empty()) << c.Label;
  }
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
  testing::FailingFiles failing([&](io::FileOperation operation, const std::string& path) {
    return operation == io::FileOperation::Read && path == dataPath && ++reads == 2 ? EIO : 0;
  });
  desktop.InputAnswers = {"512"};
  form.Chk_OutputPostFile.Value = 0;  // the copies would take every post file name of the day
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "Input/output error\r\nTolvanex:DoExport: " + dataPath);
  EXPECT_FALSE(form.RunState.Running);
  // The text files were closed with what the first block gave them, which is all of it.
  for (const auto& entry : fs::directory_iterator(folder / "text")) {
    std::string name = entry.path().filename().string();
    EXPECT_EQ(testing::ReadFile(entry.path().string()),
              testing::ReadFile(clean / ("text/" + name)));
  }
}

// A close that fails after a file has all its lines (on the disk, for a post file under its
// name) takes nothing away: the file and its readings count, and nothing is reported. A rename
// that fails leaves that post file out: the counts and the list of post files are the files
// that are there.
TEST_F(RunFaults, AfterAFailedCloseOrRenameTheCountsAreWhatTheFilesOnDiskHold) {
  struct Case {
    io::FileOperation Operation;
    const char* Under;
    std::size_t Reports;
  };
  for (const Case& c :
       {Case{io::FileOperation::Close, "post/", 0}, Case{io::FileOperation::Close, "text/", 0},
        Case{io::FileOperation::Rename, "post/23Jul14A", 1}}) {
    FreshRun fresh(ManyReadings());
    fresh.ExportFailing(c.Operation, c.Under);
    testing::TempFolder& run = fresh.folder;
    testing::ScriptedPlatform& runDesktop = fresh.desktop;
    Frm_Tolvanex& runForm = fresh.form;
    EXPECT_EQ(runDesktop.Messages.size(), c.Reports) << c.Under;
    EXPECT_EQ(runForm.Lbl_Status.Caption, FinalStatusOfWhatIsOnDisk(run)) << c.Under;
    for (const std::string& published : runForm.RunState.PostFilesStarted) {
      EXPECT_TRUE(testing::Exists(published)) << published;
    }
    EXPECT_EQ(runForm.RunState.PostFilesStarted.size(),
              static_cast<std::size_t>(runForm.RunState.PostFileCount));
  }
}

// Another program cuts a text file while the run writes it: the run's next lines go to the
// file's new end (no hole of zeros where the cut part was), and the file is reported, since
// readings that counted as written are gone.
TEST_F(RunFaults, ATextFileCutByAnotherProgramIsReportedAndGetsNoHole) {
  FreshRun fresh(ManyReadings());
  testing::TempFolder& run = fresh.folder;
  testing::ScriptedPlatform& runDesktop = fresh.desktop;
  Frm_Tolvanex& runForm = fresh.form;
  runForm.Chk_OutputPostFile.Value = 0;
  std::string cut = run / "text/2031_7.txt";
  int writes = 0;
  {
    testing::FailingFiles failing([&](io::FileOperation operation, const std::string& path) {
      // Before the file's second block: its first is on the disk.
      if (operation == io::FileOperation::Write && path == cut && ++writes == 2) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc);
      }
      return 0;
    });
    DoExport(runForm);
  }
  ASSERT_GE(writes, 2);
  EXPECT_EQ(testing::ReadFile(cut).find('\0'), std::string::npos);
  ASSERT_EQ(runDesktop.Messages.size(), 1u);
  EXPECT_EQ(runDesktop.Messages[0].Text,
            "The file was shortened while it was being written\r\nTolvanex:ExportPostFile: " + cut);
  EXPECT_FALSE(runForm.RunState.ReachedEndOfData);
}

// Another program cuts the data file while the run reads it: the readings taken stay, and the
// run reports that the file changed, so that it is not taken for converted whole.
TEST_F(RunFaults, ADataFileCutWhileItIsReadIsReportedAtTheEnd) {
  std::string data = testing::ReadFile(folder / "data.dat");
  std::string large;
  while (large.size() < 3 * 1024 * 1024) large += data;
  std::string dataPath = folder / "data.dat";
  testing::WriteFile(dataPath, large);
  int reads = 0;
  testing::FailingFiles failing([&](io::FileOperation operation, const std::string& path) {
    if (operation == io::FileOperation::Read && path == dataPath && ++reads == 2) {
      std::ofstream(dataPath, std::ios::binary | std::ios::trunc) << data;
    }
    return 0;
  });
  desktop.InputAnswers = {"512"};
  form.Chk_OutputPostFile.Value = 0;
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            "The data file changed while it was read\r\nTolvanex:DoExport: " + dataPath);
  // The run went through what it could read, and says what it wrote.
  EXPECT_TRUE(form.RunState.ReachedEndOfData);
  EXPECT_TRUE(form.Lbl_Status.Caption.starts_with("Finished - posted ")) << form.Lbl_Status.Caption;
}

// A lock file whose name is taken by a folder cannot be locked: the run does not start, and
// says why, rather than write the folder beside another run.
TEST_F(RunFaults, ALockFileThatIsAFolderKeepsTheRunFromStarting) {
  fs::create_directory(folder / "post/.tolvanex.lock");
  desktop.InputAnswers = {"512"};
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  std::string expected = "The lock file " + (folder / "post/.tolvanex.lock") + " cannot be used: ";
  EXPECT_TRUE(desktop.Messages[0].Text.starts_with(expected)) << desktop.Messages[0].Text;
  EXPECT_TRUE(desktop.Messages[0].Text.ends_with("\r\nTolvanex:DoExport: " + (folder / "data.dat")))
      << desktop.Messages[0].Text;
  EXPECT_FALSE(form.RunState.ReachedEndOfData);
  EXPECT_TRUE(testing::NamesIn(folder / "post").empty());
  EXPECT_TRUE(testing::NamesIn(folder / "text").empty());
}

}  // namespace
}  // namespace tolvanex
