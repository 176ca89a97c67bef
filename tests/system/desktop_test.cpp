#include "system/desktop.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "tests/support/guards.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

TEST(LockFilePath, UsesTheRuntimeFolderElseAPerUserNameInTmp) {
  EXPECT_EQ(LockFilePath("/run/user/1000", 1000), "/run/user/1000/tolvanex.lock");
  EXPECT_EQ(LockFilePath("/run/user/1000/", 1000), "/run/user/1000/tolvanex.lock");
  EXPECT_EQ(LockFilePath(nullptr, 1000), "/tmp/tolvanex-1000.lock");
  EXPECT_EQ(LockFilePath("", 0), "/tmp/tolvanex-0.lock");
}

TEST(SingleInstanceLock, IsRefusedToASecondHolderUntilTheFirstEnds) {
  testing::TempFolder folder;
  std::string path = folder / "tolvanex.lock";
  std::optional<SingleInstanceLock> first(std::in_place, path);
  ASSERT_TRUE(first->Acquire());
  EXPECT_TRUE(first->Acquire());  // taking it again keeps it

  SingleInstanceLock second(path);
  EXPECT_FALSE(second.Acquire());
  EXPECT_FALSE(second.Held());

  first.reset();
  EXPECT_TRUE(second.Acquire());
  EXPECT_TRUE(second.Held());
}

TEST(SingleInstanceLock, DoesNotFollowALinkPlantedUnderItsName) {
  testing::TempFolder folder;
  std::filesystem::create_symlink(folder / "elsewhere", folder / "tolvanex.lock");
  SingleInstanceLock lock(folder / "tolvanex.lock");
  EXPECT_THROW(lock.Acquire(), std::system_error);
  EXPECT_FALSE(testing::Exists(folder / "elsewhere"));
}

TEST(EditorProgram, IsTheChosenEditorElseXdgOpen) {
  testing::EnvironmentVariable editor("TOLVANEX_EDITOR");
  editor.Set("/usr/local/bin/my editor");
  EXPECT_EQ(EditorProgram(), "/usr/local/bin/my editor");
  editor.Set("");
  EXPECT_EQ(EditorProgram(), "xdg-open");
  editor.Unset();
  EXPECT_EQ(EditorProgram(), "xdg-open");
}

TEST(EditorArgument, KeepsAPathFromBeingReadAsAnOption) {
  EXPECT_EQ(EditorArgument("-n.dat"), "./-n.dat");
  EXPECT_EQ(EditorArgument("/data/-n.dat"), "/data/-n.dat");
  EXPECT_EQ(EditorArgument("a -b.dat"), "a -b.dat");
  EXPECT_EQ(EditorArgument(""), "");
}

// A stand-in editor: a script that writes what it received into a report file, which appears in
// one step once complete.
class FakeEditor : public ::testing::Test {
 protected:
  FakeEditor() {
    script_ = folder / "editor";
    report_ = folder / "report";
  }

  void WriteScript(const std::string& body) {
    testing::WriteFile(script_,
                       "#!/bin/sh\n" + body + "mv '" + report_ + ".part' '" + report_ + "'\n");
    std::filesystem::permissions(script_, std::filesystem::perms::owner_all);
  }

  // The editor runs on its own; its report is the only sign that it has run.
  std::string AwaitReport() {
    for (int attempt = 0; attempt < 6000 && !testing::Exists(report_); ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return testing::Exists(report_) ? testing::ReadFile(report_) : std::string("(no report)");
  }

  testing::TempFolder folder;
  std::string script_;
  std::string report_;
};

TEST_F(FakeEditor, ReceivesAnAwkwardPathAsItsOneArgumentAndNothingElseRuns) {
  WriteScript("printf '%s\\n%s' \"$#\" \"$1\" > '" + report_ + ".part'\n");
  std::string path = folder / "my data \"v2\" 'x'; $(touch " + (folder / "ran") + ") `touch " +
                     (folder / "ran2") + "` & rm -rf x.dat";

  testing::EnvironmentVariable editor("TOLVANEX_EDITOR");
  editor.Set(script_.c_str());
  DesktopServices services(folder / "tolvanex.lock");
  services.StartEditor(path);
  EXPECT_EQ(AwaitReport(), "1\n" + path);
  EXPECT_FALSE(testing::Exists(folder / "ran"));
  EXPECT_FALSE(testing::Exists(folder / "ran2"));
}

TEST_F(FakeEditor, LeavesNoChildOfThisProcessBehind) {
  WriteScript("echo started > '" + report_ + ".part'\n");
  StartDetached(script_, "a.dat");
  // The editor is no child of ours: there is nothing to wait for, neither running nor a zombie.
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  EXPECT_EQ(AwaitReport(), "started\n");
}

TEST_F(FakeEditor, RunsInASessionOfItsOwnWithoutTheInstanceLock) {
  SingleInstanceLock lock(folder / "tolvanex.lock");
  ASSERT_TRUE(lock.Acquire());
  WriteScript(
      "{ cut -d' ' -f6 /proc/$$/stat; for fd in /proc/$$/fd/*; do readlink \"$fd\"; done; } > '" +
      report_ + ".part'\n");
  StartDetached(script_, "a.dat");
  std::string report = AwaitReport();
  ASSERT_NE(report, "(no report)");
  EXPECT_EQ(report.find("tolvanex.lock"), std::string::npos) << report;
  std::string session = report.substr(0, report.find('\n'));
  EXPECT_NE(session, std::to_string(::getsid(0)));
}

TEST(StartDetached, AProgramThatDoesNotExistIsAFailure) {
  testing::TempFolder folder;
  for (const std::string& program :
       {folder / "no-such-editor", std::string("tolvanex-no-such-editor-anywhere")}) {
    try {
      StartDetached(program, "a.dat");
      ADD_FAILURE() << program << " started";
    } catch (const std::system_error& e) {
      EXPECT_EQ(e.code().value(), ENOENT) << program;
    }
  }
}

TEST(ProgramInfoFromPath, SplitsFolderAndNameWithoutExtension) {
  struct Case {
    const char* Path;
    const char* Folder;
    const char* Name;
  };
  for (const Case& c : {Case{"/usr/bin/tolvanex", "/usr/bin", "tolvanex"},
                        Case{"/opt/tolvanex/tolvanex.bin", "/opt/tolvanex", "tolvanex"},
                        Case{"/tolvanex", "/", "tolvanex"},
                        Case{"/usr/bin/tolvanex (deleted)", "/usr/bin", "tolvanex"},
                        Case{"/home/a.b/.tolvanex", "/home/a.b", ".tolvanex"},
                        Case{"/x/tol.van.ex", "/x", "tol.van"}}) {
    ProgramInfo info = ProgramInfoFromPath(c.Path);
    EXPECT_EQ(info.Folder, c.Folder) << c.Path;
    EXPECT_EQ(info.Name, c.Name) << c.Path;
  }
}

TEST(RunningProgram, IsThisTestProgramAtVersionOneZeroSeven) {
  ProgramInfo info = RunningProgram();
  EXPECT_EQ(info.Name, "tolvanex_system_tests");
  EXPECT_TRUE(std::filesystem::is_directory(info.Folder));
  EXPECT_TRUE(std::filesystem::exists(info.Folder + "/tolvanex_system_tests"));
  EXPECT_EQ(info.Major, 1);
  EXPECT_EQ(info.Minor, 0);
  EXPECT_EQ(info.Revision, 7);
}

}  // namespace
}  // namespace tolvanex
