#include "system/file_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "system/output_file.h"
#include "tests/support/disk_full.h"
#include "tests/support/temp_folder.h"
#include "tests/system/file_io_helpers.h"

namespace tolvanex::io {
namespace {

namespace fs = std::filesystem;
using testing::DiskFullAfter;
using testing::FailingFiles;

// Makes a file look as if it had been left there ten minutes ago.
void AgeTenMinutes(const std::string& path) {
  fs::last_write_time(path, fs::last_write_time(path) - std::chrono::minutes(10));
}

TEST(OutputFile, WritesWholeLinesAndCountsReadingsOnceTheyReachTheFile) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "x\r\n");
  std::int64_t readings = 0;
  OutputFile file(OpenForAppending(folder / "a.txt"));
  file.CountReadingsIn(&readings);
  EXPECT_EQ(file.Size(), 3u);
  file.WriteLine("header");
  file.WriteReading("one");
  file.WriteReading("");
  EXPECT_EQ(file.Size(), 18u);
  EXPECT_EQ(readings, 0);  // still in the buffer
  file.Close();
  EXPECT_EQ(readings, 2);
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "x\r\nheader\r\none\r\n\r\n");
}

TEST(OutputFile, AFailedWriteLeavesOnlyWholeLinesAndCountsNoneOfItsReadings) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "old\r\n");
  std::int64_t readings = 0;
  OutputFile file(OpenForAppending(folder / "a.txt"));
  file.CountReadingsIn(&readings);
  file.WriteReading("first");
  file.Flush();
  file.WriteReading("second line");
  {
    DiskFullAfter full(4);
    EXPECT_EQ(ErrorOf([&] { file.Close(); }), std::errc::no_space_on_device);
  }
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(readings, 1);
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "old\r\nfirst\r\n");
}

TEST(OutputFile, AFlushToDiskThatFailsIsReportedAtTheClose) {
  testing::TempFolder folder;
  OutputFile file(CreateNewFile(folder / "a.txt"));
  file.WriteLine("one");
  FailingFiles failing([](FileOperation operation, const std::string&) {
    return operation == FileOperation::Sync ? EIO : 0;
  });
  EXPECT_EQ(ErrorOf([&] { file.Close(); }), std::errc::io_error);
}

// A file's size handed over at the open is what a cut is told by before the first write; a
// file just made needs no look before its first write, and a cut after its last one is caught
// at the close by the look at its name.
TEST(OutputFile, ACutIsCaughtBeforeTheNextWriteAndAtTheClose) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "old.txt", "old\r\n");
  FileState state;
  File opened = OpenForAppending(folder / "old.txt", state);
  OutputFile old(std::move(opened), state.Size, state.Identity);
  EXPECT_EQ(state, *StateOf(folder / "old.txt"));
  old.KeepToItsName();
  fs::resize_file(folder / "old.txt", 2);
  old.WriteLine("new");
  EXPECT_THROW(old.Flush(), FileShortened);
  old.Abandon();
  EXPECT_EQ(testing::ReadFile(folder / "old.txt"), "ol");

  std::int64_t readings = 0;
  OutputFile made(CreateNewFileToAppend(folder / "new.txt"), 0);
  made.KeepToItsName();
  made.CountReadingsIn(&readings);
  made.WriteReading("one");
  made.Flush();
  EXPECT_EQ(readings, 1);
  fs::resize_file(folder / "new.txt", 2);
  EXPECT_THROW(made.Close(), FileShortened);
  EXPECT_EQ(readings, 0);
  EXPECT_FALSE(made.IsOpen());
}

TEST(ReadRange, ReadsFromAnOffsetAndStopsAtTheEnd) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "0123456789");
  File file = OpenForReading(folder / "a.txt");
  EXPECT_EQ(file.ReadRange(6, 10), "6789");
  EXPECT_EQ(file.ReadRange(0, 3), "012");
  EXPECT_EQ(file.State().Size, 10u);
  EXPECT_EQ(FileLength(folder / "a.txt"), 10u);
}

TEST(FaultHook, FailsOpensAndReadsOnTheProgramsOwnPath) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "content");
  FailingFiles failing([](FileOperation operation, const std::string& path) {
    if (operation == FileOperation::Open && path.ends_with("b.txt")) return EACCES;
    return operation == FileOperation::Read ? EIO : 0;
  });
  EXPECT_EQ(ErrorOf([&] { CreateNewFile(folder / "b.txt"); }), std::errc::permission_denied);
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(folder / "a.txt"); }), std::errc::io_error);
}

TEST(Temporaries, OnlyThoseLeftBehindOfTheirKindAreRemoved) {
  testing::TempFolder folder;
  File held = CreateTemporary(folder.Path(), "post");
  File young = CreateTemporary(folder.Path(), "post");
  File other = CreateTemporary(folder.Path(), "lookup");
  std::string heldPath = held.Path(), youngPath = young.Path(), otherPath = other.Path();
  AgeTenMinutes(heldPath);
  File left = CreateTemporary(folder.Path(), "post");
  std::string leftPath = left.Path();
  left.Close();  // as a killed run leaves it: nobody holds it any more
  AgeTenMinutes(leftPath);
  young.Close();  // left behind, but only just
  other.Close();
  AgeTenMinutes(otherPath);
  testing::WriteFile(folder / ".tolvanex-post-x", "x");
  AgeTenMinutes(folder / ".tolvanex-post-x");

  RemoveStaleTemporaries(folder.Path(), "post");
  EXPECT_FALSE(fs::exists(leftPath));
  EXPECT_TRUE(fs::exists(heldPath));
  EXPECT_TRUE(fs::exists(youngPath));
  EXPECT_TRUE(fs::exists(otherPath));
  EXPECT_TRUE(fs::exists(folder / ".tolvanex-post-x"));  // six characters after the kind
  DiscardTemporary(held);
  EXPECT_FALSE(fs::exists(heldPath));
}

TEST(ReplaceWholeFile, AnyFailureKeepsTheOldFileAndLeavesNoTemporary) {
  for (FileOperation failing :
       {FileOperation::Open, FileOperation::Write, FileOperation::Sync, FileOperation::Rename}) {
    testing::TempFolder folder;
    testing::WriteFile(folder / "a.lkp", "old content\r\n");
    {
      FailingFiles faults([failing](FileOperation operation, const std::string&) {
        return operation == failing ? EIO : 0;
      });
      EXPECT_EQ(ErrorOf([&] { ReplaceWholeFile(folder / "a.lkp", "new\r\n", "lookup"); }),
                std::errc::io_error);
    }
    EXPECT_EQ(testing::ReadFile(folder / "a.lkp"), "old content\r\n");
    EXPECT_EQ(AllNamesIn(folder.Path()), (std::vector<std::string>{"a.lkp"}));
  }
  testing::TempFolder folder;
  EXPECT_EQ(ErrorOf([&] { ReplaceWholeFile(folder / "missing/a.lkp", "x", "lookup"); }),
            std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace tolvanex::io
