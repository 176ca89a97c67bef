// What only the Windows side of the seam does: the system's errors and messages, the ANSI code
// page, devices and hidden files, append-only handles, locks beyond the data, the instance
// mutex, regional settings from the system, the standard input pipe, the wait for a stop request
// and command lines.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "system/desktop.h"
#include "system/file_io.h"
#include "system/folders.h"
#include "system/regional.h"
#include "system/stop_requests.h"
#include "system/terminal.h"
#include "system/win32/command_line.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"
#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

std::system_error FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::system_error& failure) {
    return failure;
  }
  return std::system_error(std::error_code());
}

// Wine keeps the name of a removed file that is still open until its last handle closes, and
// reports no removal pending.
bool UnderWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

DWORD AttributesOf(const std::string& path) {
  return ::GetFileAttributesW(win32::WideFromAnsi(path).c_str());
}

TEST(Win32Errors, CompareEqualToTheirErrcAndCarryTheSystemsMessage) {
  struct Case {
    DWORD Error;
    std::errc Generic;
  };
  for (Case c : {Case{ERROR_FILE_EXISTS, std::errc::file_exists},
                 Case{ERROR_ALREADY_EXISTS, std::errc::file_exists},
                 Case{ERROR_PATH_NOT_FOUND, std::errc::no_such_file_or_directory},
                 Case{ERROR_DIRECTORY, std::errc::not_a_directory},
                 Case{ERROR_SHARING_VIOLATION, std::errc::permission_denied},
                 Case{ERROR_HANDLE_DISK_FULL, std::errc::no_space_on_device},
                 Case{ERROR_TOO_MANY_OPEN_FILES, std::errc::too_many_files_open}}) {
    EXPECT_EQ(win32::Win32Error(c.Error), c.Generic) << c.Error;
  }
  EXPECT_NE(win32::Win32Error(ERROR_INVALID_DATA), std::errc::file_exists);

  testing::TempFolder folder;
  std::system_error missing = FailureOf([&] { io::OpenForReading(folder / "missing.txt"); });
  EXPECT_EQ(missing.code(), std::errc::no_such_file_or_directory);
  std::string message = missing.code().message();
  EXPECT_EQ(message, win32::SystemMessage(ERROR_FILE_NOT_FOUND));
  ASSERT_FALSE(message.empty());
  EXPECT_EQ(message.back(), '.');  // the line end taken off, the period kept
}

TEST(WideText, RoundTripsAnAccentedNameThroughTheSystem) {
  if (::GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << ::GetACP();
  EXPECT_EQ(win32::WideFromAnsi("caf\xE9"), L"caf\u00E9");
  EXPECT_EQ(win32::AnsiFromWide(L"caf\u00E9"), "caf\xE9");
  std::string exact;
  EXPECT_FALSE(win32::AnsiFromWideExactly(L"\u4E2D", exact));

  testing::TempFolder folder;
  io::CreateNewFile(folder / "caf\xE9.txt").WriteAll("x");
  WIN32_FIND_DATAW found{};
  HANDLE search =
      ::FindFirstFileW((win32::WideFromAnsi(folder.Path()) + L"\\caf*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  ::FindClose(search);
  EXPECT_EQ(std::wstring(found.cFileName), L"caf\u00E9.txt");
  auto names = OrdinaryFilesIn(folder.Path(), [](std::string_view) { return true; });
  ASSERT_TRUE(names);
  EXPECT_EQ(*names, std::vector<std::string>{"caf\xE9.txt"});
}

TEST(OrdinaryFilesIn, LeavesOutHiddenFilesAndFolders) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.dat", "a");
  testing::WriteFile(folder / "hidden.dat", "h");
  ASSERT_TRUE(::SetFileAttributesW(win32::WideFromAnsi(folder / "hidden.dat").c_str(),
                                   FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(::CreateDirectoryW(win32::WideFromAnsi(folder / "sub.dat").c_str(), nullptr));
  auto names = OrdinaryFilesIn(folder.Path(), [](std::string_view) { return true; });
  ASSERT_TRUE(names);
  EXPECT_EQ(*names, std::vector<std::string>{"a.dat"});
  EXPECT_FALSE(OrdinaryFilesIn(folder / "none", [](std::string_view) { return true; }));
}

TEST(OutputNames, RefuseDevicesAndFoldersWithoutBlocking) {
  testing::TempFolder folder;
  ASSERT_TRUE(::CreateDirectoryW(win32::WideFromAnsi(folder / "sub.txt").c_str(), nullptr));
  for (std::string name : {std::string("NUL"), folder / "nul.txt", folder / "CON", folder / "COM1",
                           folder / "sub.txt"}) {
    EXPECT_THROW(io::OpenForAppending(name), io::NotRegularFile) << name;
    EXPECT_THROW(io::OpenLockFile(name), io::NotRegularFile) << name;
  }
  EXPECT_EQ(FailureOf([&] { io::CreateNewFile(folder / "sub.txt"); }).code(),
            std::errc::file_exists);
  EXPECT_THROW(io::OpenForReading("NUL"), std::system_error);
  EXPECT_EQ(FailureOf([&] { io::OpenForReading(folder / "sub.txt"); }).code(),
            std::errc::is_a_directory);
  EXPECT_FALSE(io::IsRegularFile("NUL"));
  EXPECT_FALSE(io::IsRegularFile(folder / "sub.txt"));
}

TEST(OpenForAppending, WritesAtTheEndAfterAnotherHandleAddedToTheFileAndCutsBack) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.txt", "one\r\n");
  io::File appending = io::OpenForAppending(folder / "a.txt");
  io::File other = io::File::Adopt(reinterpret_cast<std::intptr_t>(::CreateFileW(
                                       win32::WideFromAnsi(folder / "a.txt").c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr)),
                                   folder / "a.txt");
  ASSERT_TRUE(other.IsOpen());
  other.WriteAll("two\r\n");  // at the start: it overwrites "one"
  other.WriteAll("three\r\n");
  appending.WriteAll("four\r\n");
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "two\r\nthree\r\nfour\r\n");
  appending.TruncateTo(5);  // through a handle that may write, the append-only one may not
  appending.WriteAll("five\r\n");
  appending.SyncToDisk();
  EXPECT_EQ(testing::ReadFile(folder / "a.txt"), "two\r\nfive\r\n");
  io::OpenForReading(folder / "a.txt").SyncToDisk();  // read-only handles are flushed too
}

TEST(TryLock, RefusesASecondHandleAndLeavesTheDataReadable) {
  testing::TempFolder folder;
  io::File first = io::OpenLockFile(folder / "run.lock");
  first.WriteAll("data");
  ASSERT_TRUE(first.TryLock());
  io::File second = io::OpenLockFile(folder / "run.lock");
  EXPECT_FALSE(second.TryLock());
  EXPECT_EQ(io::ReadWholeFile(folder / "run.lock"), "data");
  first.Close();
  EXPECT_TRUE(second.TryLock());
}

TEST(FileState, HasNoNameLeftOnceTheOpenFileIsRemoved) {
  testing::TempFolder folder;
  io::File file = io::CreateNewFile(folder / "a.txt");
  file.WriteAll("abc");
  io::FileState before = file.State();
  EXPECT_EQ(before.Names, 1u);
  EXPECT_EQ(before.Size, 3u);
  EXPECT_EQ(io::IdentityOf(folder / "a.txt"), before.Identity);
  ASSERT_TRUE(::DeleteFileW(win32::WideFromAnsi(folder / "a.txt").c_str()));
  if (UnderWine()) GTEST_SKIP() << "Wine reports no removal of a file that is still open";
  EXPECT_EQ(file.State().Names, 0u);
  EXPECT_FALSE(io::StateOf(folder / "a.txt"));
}

TEST(WriteBack, FlushesTheFilesWrittenInTheWatchedFolders) {
  testing::TempFolder folder;
  io::WriteBack writeBack;
  writeBack.Watch(folder.Path());
  io::File file = io::CreateNewFile(folder / "site.txt");
  file.WriteAll("line\r\n");
  file.Close();
  std::string failedFolder = "unset";
  writeBack.Finish(failedFolder);
  EXPECT_EQ(failedFolder, "");
  EXPECT_EQ(testing::ReadFile(folder / "site.txt"), "line\r\n");
}

TEST(Temporaries, AreHiddenUntilPublished) {
  testing::TempFolder folder;
  io::File temporary = io::CreateTemporary(folder.Path(), "post");
  EXPECT_NE(AttributesOf(temporary.Path()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  testing::WriteFile(folder / "taken.pst", "old");
  EXPECT_EQ(FailureOf([&] { io::PublishTemporary(temporary, folder / "taken.pst"); }).code(),
            std::errc::file_exists);
  EXPECT_NE(AttributesOf(temporary.Path()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  io::PublishTemporary(temporary, folder / "free.pst");
  temporary.Close();
  EXPECT_EQ(AttributesOf(folder / "free.pst") & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(testing::NamesIn(folder.Path()), (std::vector<std::string>{"free.pst", "taken.pst"}));
}

TEST(ReplaceWholeFile, KeepsTheOldFilesAttributesAndLeavesNoTemporary) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.ini", "old");
  ASSERT_TRUE(::SetFileAttributesW(win32::WideFromAnsi(folder / "a.ini").c_str(),
                                   FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  io::ReplaceWholeFile(folder / "a.ini", "new", "settings");
  EXPECT_EQ(testing::ReadFile(folder / "a.ini"), "new");
  EXPECT_NE(AttributesOf(folder / "a.ini") & FILE_ATTRIBUTE_HIDDEN, 0u);
  io::ReplaceWholeFile(folder / "b.ini", "fresh", "settings");
  EXPECT_EQ(AttributesOf(folder / "b.ini") & FILE_ATTRIBUTE_HIDDEN, 0u);
  auto all = OrdinaryFilesIn(folder.Path(), [](std::string_view) { return true; });
  EXPECT_EQ(*all, std::vector<std::string>{"b.ini"});  // a.ini is hidden; no temporary is left
}

TEST(Folders, WritableFoldersAreProbedWithoutATrace) {
  testing::TempFolder folder;
  EXPECT_TRUE(FolderIsWritable(folder.Path()));
  EXPECT_FALSE(FolderIsWritable(folder / "none"));
  testing::WriteFile(folder / "file", "x");
  EXPECT_FALSE(FolderIsWritable(folder / "file"));
  WIN32_FIND_DATAW found{};
  HANDLE search =
      ::FindFirstFileW((win32::WideFromAnsi(folder.Path()) + L"\\.tolvanex*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
  MakeFolders(folder / "x\\y\\z");
  EXPECT_NE(AttributesOf(folder / "x\\y\\z") & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(ResolvedPath, IsAFullPathWithoutTheSystemsPrefix) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "a.lkp", "x");
  std::string resolved = io::ResolvedPath(folder / "a.lkp");
  EXPECT_EQ(io::IdentityOf(resolved), io::IdentityOf(folder / "a.lkp"));
  EXPECT_FALSE(resolved.starts_with("\\\\?\\")) << resolved;
  std::string missing = io::ResolvedPath(folder / "b.lkp");
  EXPECT_EQ(io::FolderOfPath(missing), io::FolderOfPath(resolved));
  EXPECT_TRUE(missing.ends_with("\\b.lkp")) << missing;
}

TEST(FolderOfPath, KeepsTheRootOfADrive) {
  EXPECT_EQ(io::FolderOfPath("C:\\data\\a.dat"), "C:\\data");
  EXPECT_EQ(io::FolderOfPath("C:/data/a.dat"), "C:/data");
  EXPECT_EQ(io::FolderOfPath("C:\\a.dat"), "C:\\");
  EXPECT_EQ(io::FolderOfPath("C:a.dat"), "C:");
  EXPECT_EQ(io::FolderOfPath("a.dat"), ".");
}

TEST(SingleInstanceLock, IsAMutexOfTheUserThatASecondHolderCannotTake) {
  std::string name = DefaultLockFilePath();
  EXPECT_TRUE(name.starts_with("Local\\Tolvanex-")) << name;
  std::string ownName = name + "-test-" + std::to_string(::GetCurrentProcessId());
  std::optional<SingleInstanceLock> first(std::in_place, ownName);
  ASSERT_TRUE(first->Acquire());
  EXPECT_TRUE(first->Acquire());
  SingleInstanceLock second(ownName);
  EXPECT_FALSE(second.Acquire());
  first.reset();
  EXPECT_TRUE(second.Acquire());
}

TEST(Desktop, NamesTheProgramAndFailsForAMissingEditor) {
  EXPECT_EQ(RunningProgram().Name, "tolvanex_system_tests");
  ProgramInfo info = ProgramInfoFromPath("C:\\Program Files\\Tolvanex\\tolvanex.exe");
  EXPECT_EQ(info.Folder, "C:\\Program Files\\Tolvanex");
  EXPECT_EQ(info.Name, "tolvanex");
  EXPECT_EQ(ProgramInfoFromPath("C:\\tolvanex.exe").Folder, "C:\\");
  EXPECT_EQ(FailureOf([] { StartDetached("tolvanex-no-such-editor", "a.dat"); }).code(),
            std::errc::no_such_file_or_directory);
}

TEST(RegionalSettings, ComeFromTheSystemsLocaleData) {
  RegionalSettings german = RegionalSettingsFromLocale("de_DE");
  EXPECT_EQ(german.ShortDateOrder, DateOrder::DayMonthYear);
  EXPECT_EQ(german.DateSeparator, ".");
  EXPECT_EQ(german.DecimalSeparator, ",");
  EXPECT_EQ(german.GroupSeparator, ".");
  EXPECT_EQ(german.DayNames[0], "Sonntag");
  EXPECT_EQ(german.DayNames[1], "Montag");
  EXPECT_EQ(german.MonthNames[0], "Januar");
  RegionalSettings japanese = RegionalSettingsFromLocale("ja-JP");
  EXPECT_EQ(japanese.ShortDateOrder, DateOrder::YearMonthDay);
  RegionalSettings unknown = RegionalSettingsFromLocale("xx_QQ");
  EXPECT_EQ(unknown.MonthNames, EnglishRegionalSettings().MonthNames);
  EXPECT_EQ(unknown.ShortDateOrder, DateOrder::MonthDayYear);
}

// Standard input replaced by a pipe for one test.
class InputPipe {
 public:
  explicit InputPipe(const std::string& bytes) : saved_(::GetStdHandle(STD_INPUT_HANDLE)) {
    ::CreatePipe(&read_, &write_, nullptr, 0);
    DWORD written = 0;
    ::WriteFile(write_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::SetStdHandle(STD_INPUT_HANDLE, read_);
  }
  InputPipe(const InputPipe&) = delete;
  InputPipe& operator=(const InputPipe&) = delete;
  ~InputPipe() {
    ::SetStdHandle(STD_INPUT_HANDLE, saved_);
    ::CloseHandle(read_);
    CloseWriteEnd();
  }
  void CloseWriteEnd() {
    if (write_ != nullptr) ::CloseHandle(std::exchange(write_, nullptr));
  }
  std::string Rest() {
    char bytes[64];
    DWORD got = 0;
    ::ReadFile(read_, bytes, sizeof bytes, &got, nullptr);
    return std::string(bytes, got);
  }

 private:
  HANDLE saved_;
  HANDLE read_ = nullptr;
  HANDLE write_ = nullptr;
};

TEST(ReadStandardInputLine, ReadsOneLineOfAPipeAndNotAByteMore) {
  InputPipe input("12\r\nab\nlast");
  InputLine first = ReadStandardInputLine(0);
  EXPECT_EQ(first.How, InputLine::End::Line);
  EXPECT_EQ(first.Text, "12\r");
  EXPECT_EQ(input.Rest(), "ab\nlast");
}

TEST(ReadStandardInputLine, WaitsForAPipeUntilItsLineEndsOrItCloses) {
  InputPipe input("par");
  std::thread closer([&input] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    input.CloseWriteEnd();
  });
  InputLine last = ReadStandardInputLine(0);
  closer.join();
  EXPECT_EQ(last.How, InputLine::End::Line);
  EXPECT_EQ(last.Text, "par");
  EXPECT_EQ(ReadStandardInputLine(0).How, InputLine::End::EndOfInput);
}

// Without a request, a wait for one lasts its timeout, no shorter and not for ever, on every
// thread that waits.
TEST(StopRequests, AWaitWithoutARequestLastsItsTimeout) {
  using std::chrono::milliseconds;
  WatchStopRequests(false);
  int seen = StopRequestCount();
  std::vector<int> woken(3, 1);
  std::vector<std::thread> waiters;
  auto before = std::chrono::steady_clock::now();
  for (int& wake : woken) {
    waiters.emplace_back([&wake, seen] { wake = WaitForStopRequest(seen, milliseconds(200)); });
  }
  for (std::thread& waiter : waiters) waiter.join();
  auto waited = std::chrono::steady_clock::now() - before;
  EXPECT_EQ(woken, std::vector<int>(3, 0));
  EXPECT_GE(waited, milliseconds(190));
  EXPECT_LT(waited, milliseconds(5000));
  // Fewer seen than counted: the wait ends at once.
  before = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitForStopRequest(seen - 1, milliseconds(10000)));
  EXPECT_LT(std::chrono::steady_clock::now() - before, milliseconds(5000));
}

TEST(CommandLines, ReachTheProgramAsTheArgumentsGiven) {
  for (std::wstring argument : {std::wstring(L"plain"), std::wstring(L""), std::wstring(L"a b"),
                                std::wstring(L"say \"hi\""), std::wstring(L"C:\\dir with space\\"),
                                std::wstring(L"\\\\server\\\"x\\\\\"")}) {
    std::wstring line = L"program.exe " + win32::QuotedArgument(argument) + L" next";
    int count = 0;
    wchar_t** parsed = ::CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(count, 3);
    if (count == 3) {
      EXPECT_EQ(std::wstring(parsed[1]), argument);
      EXPECT_EQ(std::wstring(parsed[2]), L"next");
    }
    ::LocalFree(parsed);
  }
}

TEST(RunProcess, GivesTheChildItsEnvironmentAndTakesBothOutputsAndTheExitCode) {
  testing::ProcessResult result =
      testing::RunProcess("cmd.exe", {"/c", "echo %TOLVANEX_GIVEN%& echo to error 1>&2& exit 7"},
                          "", {{"TOLVANEX_GIVEN", "given value"}});
  EXPECT_EQ(result.ExitStatus, 7);
  EXPECT_NE(result.Out.find("given value"), std::string::npos) << result.Out;
  EXPECT_NE(result.Err.find("to error"), std::string::npos) << result.Err;
}

}  // namespace
}  // namespace tolvanex
