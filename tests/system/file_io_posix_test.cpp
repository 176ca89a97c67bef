// The file layer where POSIX alone has it: a file size limit, FIFOs and links, flock, permission
// bits.
#include "system/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "system/output_file.h"
#include "tests/support/disk_full.h"
#include "tests/support/temp_folder.h"
#include "tests/system/file_io_helpers.h"

namespace tolvanex::io {
namespace {

namespace fs = std::filesystem;
using testing::DiskFullAfter;
using testing::FailingFiles;

// A block beyond the file size limit fails in the system itself; the file is cut back to the
// lines before the block.
TEST(OutputFile, ABlockTheSystemRefusesIsReportedAndTakenBack) {
  testing::TempFolder folder;
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 400 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  OutputFile file(CreateNewFile(folder / "big.txt"));
  std::string line(98, 'y');
  std::errc error = ErrorOf([&] {
    for (int i = 0; i < 10000; ++i) file.WriteLine(line);
    file.Close();
  });
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(error, std::errc::file_too_large);
  std::string content = testing::ReadFile(folder / "big.txt");
  EXPECT_EQ(content.size() % 100, 0u);
  EXPECT_LE(content.size(), small.rlim_cur);
}

TEST(OutputNames, AreNeverOpenedThroughALinkNorBlockedOnASpecialFile) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "target.txt", "elsewhere");
  fs::create_symlink(folder / "target.txt", folder / "link.txt");
  fs::create_symlink(folder / "missing.txt", folder / "dangling.txt");
  ASSERT_EQ(::mkfifo((folder / "fifo.txt").c_str(), 0600), 0);
  fs::create_directory(folder / "folder.txt");
  for (const char* name : {"link.txt", "fifo.txt", "folder.txt", "dangling.txt"}) {
    EXPECT_THROW(OpenForAppending(folder / name), NotRegularFile) << name;
    EXPECT_EQ(ErrorOf([&] { CreateNewFile(folder / name); }), std::errc::file_exists) << name;
  }
  EXPECT_THROW(OpenForAppending("/dev/null"), NotRegularFile);
  EXPECT_EQ(testing::ReadFile(folder / "target.txt"), "elsewhere");
  EXPECT_FALSE(fs::exists(folder / "missing.txt"));
}

// Opened without blocking to refuse a FIFO, a file is then read and written as any file: waiting,
// and every write at its end.
TEST(OutputNames, AFileThatIsThereIsOpenedWithOneLookAndBlocksAsUsual) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "x");
  FileState state;
  File appended = OpenForAppending(folder / "a.txt", state);
  EXPECT_EQ(state, *StateOf(folder / "a.txt"));
  File lock = OpenLockFile(folder / "a.lock");
  FileState readState;
  File read = OpenForReading(folder / "a.txt", readState);
  EXPECT_EQ(readState, state);
  for (const File* file : {&appended, &lock, &read}) {
    int flags = ::fcntl(static_cast<int>(file->Native()), F_GETFL);
    EXPECT_EQ(flags & O_NONBLOCK, 0) << file->Path();
    EXPECT_EQ(flags & O_APPEND, file == &appended ? O_APPEND : 0) << file->Path();
    EXPECT_EQ(flags & O_ACCMODE, file == &lock ? O_RDWR : file == &read ? O_RDONLY : O_WRONLY);
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

TEST(Temporaries, AreHiddenLockedAndPublishedWithoutReplacingAFile) {
  testing::TempFolder folder;
  File temporary = CreateTemporary(folder.Path(), "post");
  EXPECT_TRUE(fs::path(temporary.Path()).filename().string().starts_with(".tolvanex-post-"));
  int other = ::open(temporary.Path().c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(other, 0);
  EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);  // its writer holds it
  ::close(other);
  temporary.WriteAll("new");

  testing::WriteFile(folder / "taken.pst", "old");
  EXPECT_EQ(ErrorOf([&] { PublishTemporary(temporary, folder / "taken.pst"); }),
            std::errc::file_exists);
  EXPECT_EQ(testing::ReadFile(folder / "taken.pst"), "old");
  PublishTemporary(temporary, folder / "free.pst");
  EXPECT_EQ(temporary.Path(), folder / "free.pst");
  temporary.Close();
  EXPECT_EQ(AllNamesIn(folder.Path()), (std::vector<std::string>{"free.pst", "taken.pst"}));
  EXPECT_EQ(testing::ReadFile(folder / "free.pst"), "new");
}

TEST(ReplaceWholeFile, ReplacesTheWholeContentKeepingPermissionsAndLinks) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.lkp", "old content\r\n");
  ::chmod((folder / "a.lkp").c_str(), 0640);
  fs::create_symlink(folder / "a.lkp", folder / "link.lkp");
  ReplaceWholeFile(folder / "link.lkp", "new\r\n", "lookup");
  EXPECT_TRUE(fs::is_symlink(folder / "link.lkp"));
  EXPECT_EQ(testing::ReadFile(folder / "a.lkp"), "new\r\n");
  struct stat info {};
  ASSERT_EQ(::stat((folder / "a.lkp").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(AllNamesIn(folder.Path()), (std::vector<std::string>{"a.lkp", "link.lkp"}));
}

}  // namespace
}  // namespace tolvanex::io
