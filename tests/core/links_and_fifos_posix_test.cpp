// Names that POSIX lets hold something other than a file: symbolic links, FIFOs and devices under
// the names of a run's data, output, lookup and lock files. A run never writes through a link to
// an output, never blocks on a special file, and follows a link to the lookup file. And what
// POSIX alone has: the permission bits of the files a run publishes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/conversion_engine.h"
#include "tests/support/recording_observer.h"
#include "tests/support/run_folder.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

// A run in a fresh folder with the end-to-end data; a test makes more of its own.
struct FreshRun {
  FreshRun() {
    testing::PrepareRunFolder(folder.Path());
    observer.SiteAnswers = {"512"};
  }
  ConversionResult Convert() { return engine.Convert(request, observer); }

  testing::TempFolder folder;
  ConversionRequest request = testing::RequestAt(folder.Path());
  testing::RecordingObserver observer;
  ConversionEngine engine;
};

class LinksAndFifos : public ::testing::Test, protected FreshRun {};

TEST_F(LinksAndFifos, ADataFileThatIsADeviceOrAFifo) {
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  for (std::string path : {std::string("/dev/zero"), folder / "fifo"}) {
    observer.Reports.clear();
    request.DataFile = path;
    ConversionResult result = Convert();
    ASSERT_EQ(observer.Reports.size(), 1u) << path;
    EXPECT_EQ(observer.ReportTexts()[0], "Invalid argument\r\nTolvanex:DoExport: " + path);
    EXPECT_FALSE(result.ReachedEndOfData);
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
    FreshRun fresh;
    c.Make(fresh.folder / "text/2031_7.txt");
    ConversionResult result = fresh.Convert();
    ASSERT_FALSE(fresh.observer.Reports.empty()) << c.What;
    EXPECT_EQ(fresh.observer.ReportTexts()[0], "Not a regular file\r\nTolvanex:ExportPostFile: " +
                                                   (fresh.folder / "text/2031_7.txt"))
        << c.What;
    EXPECT_FALSE(result.ReachedEndOfData);
  }
  EXPECT_EQ(testing::ReadFile(elsewhere / "long.txt"), "Date, SN, 0.7 \r\nkept as it is\r\n");
  EXPECT_EQ(testing::ReadFile(elsewhere / "short.txt"), "short");
  EXPECT_FALSE(testing::Exists(elsewhere / "new.txt"));
}

TEST_F(LinksAndFifos, APostFileNameHeldByALinkOrAFifoIsPassedOver) {
  testing::TempFolder elsewhere;
  fs::create_symlink(elsewhere / "target.pst", folder / "post/23Jul14.pst");
  ASSERT_EQ(::mkfifo((folder / "post/23Jul14A.pst").c_str(), 0600), 0);
  ConversionResult result = Convert();
  EXPECT_TRUE(observer.Reports.empty());
  EXPECT_TRUE(result.ReachedEndOfData);
  EXPECT_EQ(testing::ReadFile(folder / "post/23Jul14B.pst"),
            testing::ReadFile(testing::RunData() + "/expected/23Jul14.pst"));
  EXPECT_FALSE(testing::Exists(elsewhere / "target.pst"));
}

TEST_F(LinksAndFifos, ALookupLinkIsFollowedAndASpecialFileRefused) {
  testing::TempFolder shared;
  fs::copy_file(folder / "sites.lkp", shared / "sites.lkp");
  fs::remove(folder / "sites.lkp");
  fs::create_symlink(shared / "sites.lkp", folder / "sites.lkp");
  Convert();
  EXPECT_TRUE(fs::is_symlink(folder / "sites.lkp"));
  EXPECT_EQ(testing::ReadFile(shared / "sites.lkp"),
            testing::ReadFile(testing::RunData() + "/expected/sites.lkp"));

  FreshRun fresh;
  fresh.observer.SiteAnswers.clear();
  std::string lookup = fresh.folder / "sites.lkp";
  fs::remove(lookup);
  ASSERT_EQ(::mkfifo(lookup.c_str(), 0600), 0);
  fresh.Convert();
  ASSERT_FALSE(fresh.observer.Reports.empty());
  EXPECT_EQ(fresh.observer.ReportTexts()[0], "Not a regular file\r\nTolvanex:LoadLookup");
  struct stat info {};
  ASSERT_EQ(::lstat(lookup.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));  // never replaced
}

// A lock file under a link or a FIFO would let the run go on unlocked, beside another run that
// writes the same lookup file: the run does not start and says why. A folder that may not be
// written to at all is run without its lock (its writers report it).
TEST_F(LinksAndFifos, ALockFileThatIsALinkOrAFifoKeepsTheRunFromStarting) {
  testing::TempFolder elsewhere;
  std::string lock = folder / "post/.tolvanex.lock";
  for (int kind = 0; kind < 2; ++kind) {
    fs::remove(lock);
    ASSERT_EQ(kind == 0 ? ::mkfifo(lock.c_str(), 0600)
                        : ::symlink((elsewhere / "lock").c_str(), lock.c_str()),
              0);
    observer.Reports.clear();
    ConversionResult result = Convert();
    ASSERT_EQ(observer.Reports.size(), 1u) << kind;
    EXPECT_EQ(
        observer.ReportTexts()[0],
        "The lock file " + lock +
            " cannot be used: Not a regular file\r\nTolvanex:DoExport: " + (folder / "data.dat"));
    EXPECT_FALSE(result.ReachedEndOfData);
    EXPECT_TRUE(testing::NamesIn(folder / "post").empty()) << kind;
    EXPECT_FALSE(testing::Exists(elsewhere / "lock"));
  }
}

// Published files have the permissions of any file the user makes: an account that reads the
// post folder (an upload service) reads the post files too.
TEST_F(LinksAndFifos, PublishedFilesHaveTheUsersPermissions) {
  for (mode_t mask : {mode_t{022}, mode_t{027}}) {
    FreshRun fresh;
    const testing::TempFolder& run = fresh.folder;
    ::chmod((run / "sites.lkp").c_str(), 0604);
    mode_t before = ::umask(mask);
    ConversionResult result = fresh.Convert();
    ::umask(before);
    ASSERT_TRUE(result.ReachedEndOfData);
    for (const char* kind : {"post", "text"}) {
      for (const std::string& name : testing::NamesIn(run / kind)) {
        struct stat info {};
        ASSERT_EQ(::stat((run / (std::string(kind) + "/" + name)).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << name << " under umask " << mask;
      }
    }
    // The lookup file, written anew with the answered pair, keeps its own.
    struct stat lookup {};
    ASSERT_EQ(::stat((run / "sites.lkp").c_str(), &lookup), 0);
    EXPECT_EQ(lookup.st_mode & 0777, 0604u);
  }
}

}  // namespace
}  // namespace tolvanex
