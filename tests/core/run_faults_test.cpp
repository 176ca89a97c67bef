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

#include "core/conversion_engine.h"
#include "system/file_io.h"
#include "tests/support/disk_full.h"
#include "tests/support/recording_observer.h"
#include "tests/support/run_folder.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

class RunFaults : public ::testing::Test {
 protected:
  RunFaults() {
    testing::PrepareRunFolder(folder.Path());
    // What a run without faults writes, for comparing what a faulty run leaves.
    testing::PrepareRunFolder(clean.Path());
    testing::RecordingObserver cleanObserver;
    cleanObserver.SiteAnswers = {"512"};
    ConversionEngine().Convert(testing::RequestAt(clean.Path()), cleanObserver);
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

  ConversionResult Convert() { return engine.Convert(request, observer); }

  testing::TempFolder folder;
  testing::TempFolder clean;
  ConversionRequest request = testing::RequestAt(folder.Path());
  testing::RecordingObserver observer;
  ConversionEngine engine;
};

TEST_F(RunFaults, AFullDiskUnderThePostFilesEndsTheRunWithTheWritersReport) {
  observer.SiteAnswers = {"512"};
  testing::DiskFullAfter full(500, folder / "post");  // the header fits, the readings do not
  ConversionResult result = Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            "No space left on device\r\nTolvanex:ExportPostFile: " + (folder / "post/23Jul14.pst"));
  EXPECT_FALSE(result.ReachedEndOfData);
  EXPECT_FALSE(engine.Session().Run.PostFile.IsOpen());
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
  }
  ConversionResult Convert() { return engine.Convert(request, observer); }
  // The run with every operation of the kind on a file under the path failing with EIO.
  ConversionResult ConvertFailing(io::FileOperation kind, const std::string& under) {
    std::string prefix = folder / under;
    testing::FailingFiles failing([&](io::FileOperation operation, const std::string& path) {
      return operation == kind && path.starts_with(prefix) ? EIO : 0;
    });
    return Convert();
  }

  testing::TempFolder folder;
  ConversionRequest request = testing::RequestAt(folder.Path());
  testing::RecordingObserver observer;
  ConversionEngine engine;
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
    testing::RecordingObserver& runObserver = fresh.observer;
    ConversionResult result;
    {
      // Beyond the first flush of 256 KiB, so that whole files and lines came before.
      testing::DiskFullAfter disk(300 * 1024, run / full);
      result = fresh.Convert();
    }
    ASSERT_EQ(runObserver.Reports.size(), 1u) << full;
    EXPECT_EQ(runObserver.Reports[0].Description, "No space left on device") << full;
    EXPECT_FALSE(result.ReachedEndOfData);
    std::int64_t inFiles = ReadingLinesIn(run / "post", 17) + ReadingLinesIn(run / "text", 1);
    EXPECT_GT(inFiles, 0) << full;
    EXPECT_EQ(result.Status, FinalStatusOfWhatIsOnDisk(run)) << full;
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
    fresh.observer.SiteAnswers = {"512"};
    ConversionResult result = fresh.ConvertFailing(c.Operation, c.Under);
    testing::TempFolder& run = fresh.folder;
    ASSERT_FALSE(fresh.observer.Reports.empty()) << c.Label;
    EXPECT_EQ(fresh.observer.ReportTexts()[0],
              "Input/output error\r\nTolvanex:ExportPostFile: " + (run / c.Label));
    EXPECT_FALSE(result.ReachedEndOfData) << c.Label;
    if (c.Under == "post/") {
      EXPECT_FALSE(testing::Exists(run / c.Label));
    }
    EXPECT_TRUE(LeftOver(run / "post").empty()) << c.Label;
  }
}

TEST_F(RunFaults, AFullDiskUnderTheTextFilesIsReportedWithTheTextFilesPath) {
  observer.SiteAnswers = {"512"};
  testing::DiskFullAfter full(40, folder / "text/2031_8");
  ConversionResult result = Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            "No space left on device\r\nTolvanex:ExportPostFile: " + (folder / "text/2031_8.txt"));
  EXPECT_FALSE(result.ReachedEndOfData);
  ExpectWholeLinesOfTheCleanRun();
  // The other files were still closed with everything the run gave them.
  EXPECT_EQ(testing::ReadFile(folder / "text/2031_7.txt"),
            testing::ReadFile(clean / "text/2031_7.txt"));
}

TEST_F(RunFaults, AFullDiskUnderTheLookupFileLeavesItAsItWas) {
  std::string before = testing::ReadFile(folder / "sites.lkp");
  observer.SiteAnswers = {"512"};
  testing::DiskFullAfter full(10, folder.Path() + "/.tolvanex-");
  Convert();
  ASSERT_FALSE(observer.Reports.empty());
  EXPECT_EQ(observer.ReportTexts()[0],
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
  observer.SiteAnswers = {"512"};
  request.WritePostFiles = false;  // the copies would take every post file name of the day
  ConversionResult result = Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0], "Input/output error\r\nTolvanex:DoExport: " + dataPath);
  EXPECT_FALSE(result.ReachedEndOfData);
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
    ConversionResult result = fresh.ConvertFailing(c.Operation, c.Under);
    EXPECT_EQ(fresh.observer.Reports.size(), c.Reports) << c.Under;
    EXPECT_EQ(result.Status, FinalStatusOfWhatIsOnDisk(fresh.folder)) << c.Under;
    for (const std::string& published : result.PostFiles) {
      EXPECT_TRUE(testing::Exists(published)) << published;
    }
    EXPECT_EQ(result.PostFiles.size(), static_cast<std::size_t>(result.PostFileCount));
  }
}

// Another program cuts a text file while the run writes it: the run's next lines go to the
// file's new end (no hole of zeros where the cut part was), and the file is reported, since
// readings that counted as written are gone.
TEST_F(RunFaults, ATextFileCutByAnotherProgramIsReportedAndGetsNoHole) {
  FreshRun fresh(ManyReadings());
  fresh.request.WritePostFiles = false;
  std::string cut = fresh.folder / "text/2031_7.txt";
  int writes = 0;
  ConversionResult result;
  {
    testing::FailingFiles failing([&](io::FileOperation operation, const std::string& path) {
      // Before the file's second block: its first is on the disk.
      if (operation == io::FileOperation::Write && path == cut && ++writes == 2) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc);
      }
      return 0;
    });
    result = fresh.Convert();
  }
  ASSERT_GE(writes, 2);
  EXPECT_EQ(testing::ReadFile(cut).find('\0'), std::string::npos);
  ASSERT_EQ(fresh.observer.Reports.size(), 1u);
  EXPECT_EQ(fresh.observer.ReportTexts()[0],
            "The file was shortened while it was being written\r\nTolvanex:ExportPostFile: " + cut);
  EXPECT_FALSE(result.ReachedEndOfData);
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
  observer.SiteAnswers = {"512"};
  request.WritePostFiles = false;
  ConversionResult result = Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  EXPECT_EQ(observer.ReportTexts()[0],
            "The data file changed while it was read\r\nTolvanex:DoExport: " + dataPath);
  // The run went through what it could read, and says what it wrote.
  EXPECT_TRUE(result.ReachedEndOfData);
  EXPECT_TRUE(result.Status.starts_with("Finished - posted ")) << result.Status;
}

// A lock file whose name is taken by a folder cannot be locked: the run does not start, and
// says why, rather than write the folder beside another run.
TEST_F(RunFaults, ALockFileThatIsAFolderKeepsTheRunFromStarting) {
  fs::create_directory(folder / "post/.tolvanex.lock");
  observer.SiteAnswers = {"512"};
  ConversionResult result = Convert();
  ASSERT_EQ(observer.Reports.size(), 1u);
  std::string expected = "The lock file " + (folder / "post/.tolvanex.lock") + " cannot be used: ";
  EXPECT_TRUE(observer.Reports[0].Description.starts_with(expected))
      << observer.Reports[0].Description;
  EXPECT_EQ(observer.Reports[0].Label, "DoExport: " + (folder / "data.dat"));
  EXPECT_FALSE(result.ReachedEndOfData);
  EXPECT_TRUE(testing::NamesIn(folder / "post").empty());
  EXPECT_TRUE(testing::NamesIn(folder / "text").empty());
}

}  // namespace
}  // namespace tolvanex
