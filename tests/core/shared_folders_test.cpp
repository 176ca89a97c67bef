// Folders that other runs and other users write to as well: a run waits for another that holds
// one of its folders, a table kept loaded learns of another run's answers, and the files of a
// run are never written through a link, blocked on a special file, or written after their names
// are gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/conversion.h"
#include "core/conversion_engine.h"
#include "core/run_locks.h"
#include "system/file_io.h"
#include "tests/support/recording_observer.h"
#include "tests/support/run_folder.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

class SharedFolders : public ::testing::Test {
 protected:
  SharedFolders() {
    testing::PrepareRunFolder(folder.Path());
    observer.SiteAnswers = {"512"};
  }

  ConversionResult Convert() { return engine.Convert(request, observer); }

  // Another run's lock on a folder, held until Release.
  struct HeldLock {
    explicit HeldLock(const std::string& folder)
        : file(io::OpenLockFile(folder + "/.tolvanex.lock")) {
      EXPECT_TRUE(file.TryLock());
    }
    void Release() { file.Close(); }
    io::File file;
  };

  testing::TempFolder folder;
  ConversionRequest request = testing::RequestAt(folder.Path());
  testing::RecordingObserver observer;
  ConversionEngine engine;
};

TEST_F(SharedFolders, EveryFolderARunWritesIsLockedOnceAndInOneOrder) {
  request.LookupFile = folder / "post/sites.lkp";  // the lookup file beside the post files
  Conversion conversion(request, observer, engine.Session());
  EXPECT_EQ(FoldersToLock(conversion),
            (std::vector<std::string>{folder / "post", folder / "text"}));
  request.WritePostFiles = false;
  EXPECT_EQ(FoldersToLock(conversion), (std::vector<std::string>{folder / "text"}));
  request.TextFolder = folder / "missing";
  EXPECT_TRUE(FoldersToLock(conversion).empty());  // the writer reports a missing folder
}

TEST_F(SharedFolders, ARunWaitsForAnotherRunAndSaysSo) {
  HeldLock other(folder / "text");
  observer.OnLine = [&] {
    if (observer.StopLooks == 3) other.Release();  // the other run ends
  };
  ConversionResult result = Convert();
  EXPECT_EQ(observer.Notes, (std::vector<std::string>{"Waiting for another run to finish with " +
                                                      (folder / "text")}));
  ASSERT_FALSE(observer.Statuses.empty());
  EXPECT_EQ(observer.Statuses.front(), observer.Notes.front());
  EXPECT_TRUE(result.ReachedEndOfData);
  EXPECT_EQ(testing::ReadFile(folder / "text/2031_7.txt"),
            testing::ReadFile(testing::RunData() + "/expected/2031_7.txt"));
  // Its own locks go with the run.
  HeldLock after(folder / "text");
  EXPECT_TRUE(after.file.IsOpen());
}

TEST_F(SharedFolders, CancelEndsTheWaitAndTheRunNeverStarts) {
  HeldLock other(folder / "post");
  observer.OnLine = [&] { observer.Stop = true; };  // asked for while the run waits
  ConversionResult result = Convert();
  EXPECT_FALSE(result.Started);
  EXPECT_FALSE(result.ReachedEndOfData);
  EXPECT_TRUE(observer.Reports.empty());
  EXPECT_TRUE(testing::NamesIn(folder / "text").empty());
  EXPECT_EQ(result.Status, "Waiting for another run to finish with " + (folder / "post"));
}

TEST_F(SharedFolders, WithoutWaitingAHeldFolderIsAReport) {
  HeldLock other(folder / "post");
  request.WaitForOtherRuns = false;
  Convert();
  EXPECT_EQ(observer.ReportTexts(),
            (std::vector<std::string>{"Another run is writing to " + (folder / "post") +
                                      "\r\nTolvanex:DoExport: " + (folder / "data.dat")}));
  EXPECT_TRUE(testing::NamesIn(folder / "post").empty());
}

// A front end keeps its engine, and with it the table loaded, between runs; a scheduled job
// meanwhile adds a pair. The engine's next save must keep the job's answer.
TEST_F(SharedFolders, ATableKeptLoadedIsReadAgainWhenItsFileChanged) {
  Convert();  // asks for 88 / 1 and keeps the table loaded
  ASSERT_TRUE(engine.Session().Lookup.Loaded);

  testing::RecordingObserver jobObserver;
  jobObserver.SiteAnswers = {"700"};
  ConversionRequest job = testing::RequestAt(folder.Path());
  job.WriteTextFiles = false;
  testing::WriteFile(folder / "job.dat",
                     "\"99\",\"9\",\"16 Jul 2023 10:00\",S1,0.7,1,0,1.5,2,0\r\n");
  job.DataFile = folder / "job.dat";
  ASSERT_TRUE(ConversionEngine().Convert(job, jobObserver).ReachedEndOfData);

  testing::WriteFile(folder / "data.dat",
                     "\"77\",\"7\",\"17 Jul 2023 10:00\",S1,0.7,1,0,1.5,2,0\r\n");
  observer.SiteAnswers = {"800"};
  Convert();
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"),
            "ID1, ID2, SiteID\r\n2031, 7, 4105\r\n2031, 8, 4106\r\n77, 7, 800\r\n88, 1, 512\r\n"
            "99, 9, 700\r\n");
  EXPECT_EQ(observer.Prompts.size(), 2u);  // 88 / 1 once, 77 / 7 once: 99 / 9 came from the file
}

// Whether the system tells the holder of an open file that its name was removed. Windows does
// (a deletion pending); Wine does not, and there the loss cannot be seen.
bool SystemTellsOfARemovedName() {
  testing::TempFolder folder;
  io::File file = io::CreateNewFile(folder / "probe");
  fs::remove(folder / "probe");
  return file.State().Names == 0;
}

TEST_F(SharedFolders, AFileThatLosesItsNameDuringTheRunIsReportedAndTheRunUnfinished) {
  if (!SystemTellsOfARemovedName()) GTEST_SKIP() << "the system does not tell of a removed name";
  struct Case {
    const char* What;
    std::function<void(const std::string&)> Change;
  };
  const std::string large = [] {
    std::string data = testing::ReadFile(testing::RunData() + "/data.dat");
    std::string lines;
    for (int day = 16; day < 28; ++day) {
      lines +=
          "\"2031\",\"7\",\"" + std::to_string(day) + " Jul 2023 10:00\",S9,0.7,1,0,1.5,2,0\r\n";
    }
    return data + lines;
  }();
  for (const Case& c :
       {Case{"folder removed", [](const std::string& text) { fs::remove_all(text); }},
        Case{"folder made again",
             [](const std::string& text) {
               fs::remove_all(text);
               fs::create_directory(text);
             }},
        Case{"file replaced by an editor", [](const std::string& text) {
               testing::WriteFile(text + "/edited.txt", "Date, SN \r\n");
               fs::rename(text + "/edited.txt", text + "/2031_7.txt");
             }}}) {
    testing::TempFolder run;
    testing::PrepareRunFolder(run.Path());
    testing::WriteFile(run / "data.dat", large);
    testing::RecordingObserver runObserver;
    runObserver.SiteAnswers = {"512"};
    ConversionRequest runRequest = testing::RequestAt(run.Path());
    runRequest.WritePostFiles = false;
    runObserver.OnLine = [&] {
      if (runObserver.StopLooks == 10) c.Change(run / "text");
    };
    ConversionResult result = ConversionEngine().Convert(runRequest, runObserver);
    ASSERT_FALSE(runObserver.Reports.empty()) << c.What;
    EXPECT_EQ(runObserver.Reports[0].Description,
              "The file was removed or replaced while it was being written")
        << c.What;
    EXPECT_TRUE(runObserver.Reports[0].Label.starts_with("ExportPostFile: " + (run / "text/")))
        << c.What << ": " << runObserver.Reports[0].Label;
    EXPECT_FALSE(result.ReachedEndOfData) << c.What;
    // Only what is in a file under its name counts as posted.
    std::int64_t inFiles = 0;
    if (!fs::exists(run / "text")) fs::create_directory(run / "text");  // the folder removed
    for (const std::string& name : testing::NamesIn(run / "text")) {
      std::string content = testing::ReadFile(run / ("text/" + name));
      inFiles += std::count(content.begin(), content.end(), '\n') - 1;
    }
    EXPECT_LE(result.ReadingsPosted, std::max<std::int64_t>(inFiles, 0)) << c.What;
  }
}

}  // namespace
}  // namespace tolvanex
