#include "system/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "tests/support/disk_full.h"
#include "tests/support/temp_folder.h"

namespace tolvanex::io {
namespace {

using testing::DiskFullAfter;

std::size_t FilesIn(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(OutputFile, WritesLinesWithCrLf) {
  testing::TempFolder folder;
  OutputFile file;
  file.Open(folder / "a.txt", OutputFile::Mode::CreateNew);
  file.WriteLine("one");
  file.WriteLine("");
  EXPECT_EQ(file.Size(), 7u);
  file.Close();
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "one\r\n\r\n");
}

TEST(OutputFile, CreateNewNeverOpensAnExistingFile) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "keep");
  OutputFile file;
  try {
    file.Open(folder / "a.txt", OutputFile::Mode::CreateNew);
    FAIL() << "opened an existing file";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code().value(), EEXIST);
  }
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "keep");
}

TEST(OutputFile, AppendStartsAtTheEnd) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "x\r\n");
  OutputFile file;
  file.Open(folder / "a.txt", OutputFile::Mode::Append);
  EXPECT_EQ(file.Size(), 3u);
  file.WriteLine("y");
  file.Close();
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "x\r\ny\r\n");
}

TEST(OutputFile, AFailedWriteLeavesOnlyWholeLines) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "old\r\n");
  OutputFile file;
  file.Open(folder / "a.txt", OutputFile::Mode::Append);
  file.WriteLine("first");
  file.Flush();
  file.WriteLine("second line");
  {
    DiskFullAfter full(4);
    EXPECT_THROW(file.Close(), std::system_error);
  }
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "old\r\nfirst\r\n");
}

TEST(ReplaceFile, ReplacesTheWholeContent) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.lkp", "old content\r\n");
  ::chmod((folder / "a.lkp").c_str(), 0640);
  ReplaceFile(folder / "a.lkp", "new\r\n");
  EXPECT_EQ(testing::ReadFile(folder / "a.lkp"), "new\r\n");
  struct stat info {};
  ASSERT_EQ(::stat((folder / "a.lkp").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(ReplaceFile, AFailureHalfWayKeepsTheOldFileAndNoTemporary) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.lkp", "old content\r\n");
  {
    DiskFullAfter full(3);
    EXPECT_THROW(ReplaceFile(folder / "a.lkp", "new content that does not fit\r\n"),
                 std::system_error);
  }
  EXPECT_EQ(testing::ReadFile(folder / "a.lkp"), "old content\r\n");
  EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(ReplaceFile, AFlushToDiskThatFailsKeepsTheOldFileAndNoTemporary) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.lkp", "old content\r\n");
  CurrentHooks().Fsync = [](int) {
    errno = EIO;
    return -1;
  };
  EXPECT_THROW(ReplaceFile(folder / "a.lkp", "new\r\n"), std::system_error);
  ResetHooks();
  EXPECT_EQ(testing::ReadFile(folder / "a.lkp"), "old content\r\n");
  EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

// Without hooks, output blocks go through a child process; what reaches the file is the same.
TEST(OutputFile, BlocksWrittenByAChildArriveWhole) {
  testing::TempFolder folder;
  OutputFile file;
  file.Open(folder / "big.txt", OutputFile::Mode::Truncate);
  std::string expected;
  for (int i = 0; i < 40000; ++i) {
    std::string line =
        "line " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 50), 'x');
    file.WriteLine(line);
    expected += line + "\r\n";
  }
  EXPECT_EQ(file.Size(), expected.size());
  file.Close();
  EXPECT_EQ(testing::ReadFile(folder / "big.txt"), expected);
}

// A program that ignores SIGCHLD gets no exit status of the child; the file's size decides.
TEST(OutputFile, BlocksArriveWholeWhenChildrenAreReapedBySystem) {
  testing::TempFolder folder;
  auto oldHandler = ::signal(SIGCHLD, SIG_IGN);
  OutputFile file;
  file.Open(folder / "a.txt", OutputFile::Mode::Truncate);
  file.WriteLine("one");
  EXPECT_NO_THROW(file.Close());
  ::signal(SIGCHLD, oldHandler);
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "one\r\n");
}

// A block the child cannot write (here: beyond the file size limit) is the parent's failure, and
// the file is cut back to the lines before the block.
TEST(OutputFile, ABlockTheChildCannotWriteIsReportedAndTakenBack) {
  testing::TempFolder folder;
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 400 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  OutputFile file;
  file.Open(folder / "big.txt", OutputFile::Mode::Truncate);
  std::string line(98, 'y');
  try {
    for (int i = 0; i < 10000; ++i) file.WriteLine(line);
    file.Close();
    ADD_FAILURE() << "the size limit was never met";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code().value(), EFBIG);
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  std::string content = testing::ReadFile(folder / "big.txt");
  EXPECT_EQ(content.size() % 100, 0u);
  EXPECT_LE(content.size(), small.rlim_cur);
}

TEST(ReplaceFile, AMissingFolderIsTheSystemsFailure) {
  testing::TempFolder folder;
  try {
    ReplaceFile(folder / "missing/a.lkp", "x");
    FAIL();
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code().message(), "No such file or directory");
  }
}

TEST(OpenForReading, RefusesFoldersDevicesAndFifosWithoutBlocking) {
  testing::TempFolder folder;
  EXPECT_THROW(OpenForReading(folder.Path()), std::system_error);
  EXPECT_THROW(OpenForReading("/dev/null"), std::system_error);
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  EXPECT_THROW(OpenForReading(folder / "fifo"), std::system_error);
  EXPECT_THROW(OpenForReading(folder / "missing"), std::system_error);
}

TEST(ReadRange, ReadsFromAnOffsetAndStopsAtTheEnd) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "0123456789");
  Descriptor file = OpenForReading(folder / "a.txt");
  EXPECT_EQ(ReadRange(file, 6, 10), "6789");
  EXPECT_EQ(ReadRange(file, 0, 3), "012");
  EXPECT_EQ(FileLength(folder / "a.txt"), 10u);
}

}  // namespace
}  // namespace tolvanex::io
