#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "tests/app/batch/batch_fixture.h"
#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 20;

// Starts the batch command, answers the site prompt, and kills it after the delay.
void RunAndKill(const std::string& settings, std::chrono::microseconds delay) {
  int input[2];
  ASSERT_EQ(::pipe(input), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::dup2(input[0], STDIN_FILENO);
    ::close(input[0]);
    ::close(input[1]);
    std::FILE* out = std::freopen("/dev/null", "w", stdout);
    std::FILE* err = std::freopen("/dev/null", "w", stderr);
    (void)out;
    (void)err;
    ::execl(TOLVANEX_BATCH, TOLVANEX_BATCH, "--quiet", "--settings", settings.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(input[0]);
  // The answer may find the program gone already; that is no failure of the test.
  ::signal(SIGPIPE, SIG_IGN);
  (void)!::write(input[1], "512\n", 4);
  std::this_thread::sleep_for(delay);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(input[1]);
}

// Every line of the file ends in CR LF, the last one included, and none is cut.
void ExpectWholeLines(const fs::path& path, std::size_t shortestLine) {
  std::string content = testing::ReadFile(path);
  if (content.empty()) return;  // created, killed before its first line reached the disk
  ASSERT_TRUE(content.ends_with("\r\n")) << path << " ends in a cut line";
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    std::string_view line(content.data() + start, end - start);
    ASSERT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << path;
    ASSERT_GE(line.size(), shortestLine) << path << ": " << line;
    start = end + 2;
  }
}

TEST(BatchKilled, LeavesOnlyWholeLinesAndALookupFileThatLoads) {
  testing::TempFolder folder;
  fs::create_directory(folder / "post");
  fs::create_directory(folder / "text");
  testing::WriteFile(folder / "data.dat", LargeDataFile(150000));
  const std::string oldLookup = LargeLookupFile(20);
  testing::WriteFile(folder / "sites.lkp", oldLookup);
  testing::WriteFile(folder / "tolvanex.ini",
                     "[General]\r\nDataFile=" + (folder / "data.dat") +
                         "\r\nOutputPostFile=1\r\nPostFolder=" + (folder / "post") +
                         "\r\nLookupFile=" + (folder / "sites.lkp") +
                         "\r\nSortLookup=1\r\nOutputTextFile=1\r\nExtension=txt\r\n"
                         "OutputFolder=" +
                         (folder / "text") + "\r\nDateFormat=d mmm yyyy HH:MM\r\n");

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> delay(1000, 400000);
  for (int kill = 0; kill < kKills; ++kill) {
    RunAndKill(folder / "tolvanex.ini", std::chrono::microseconds(delay(random)));
    for (const auto& entry : fs::directory_iterator(folder / "post")) {
      ExpectWholeLines(entry.path(), 2);  // the header's calibration lines are the shortest
      // Checked: out of the way, or 21 runs would take the 26 names of a day.
      fs::remove(entry.path());
    }
    for (const auto& entry : fs::directory_iterator(folder / "text")) {
      ExpectWholeLines(entry.path(), 9);
    }
    std::string lookup = testing::ReadFile(folder / "sites.lkp");
    EXPECT_TRUE(lookup == oldLookup || lookup.find("2020, 3, 512\r\n") != std::string::npos)
        << lookup;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
          << "left behind: " << entry.path();
    }
    if (HasFatalFailure()) return;
  }

  // A run to the end over what the kills left.
  auto finished = testing::RunProcess(TOLVANEX_BATCH,
                                      {"--quiet", "--settings", folder / "tolvanex.ini"}, "512\n");
  EXPECT_EQ(finished.ExitStatus, 0) << finished.Err;
  EXPECT_TRUE(finished.Out.starts_with("Finished - posted ")) << finished.Out;
  for (const auto& entry : fs::directory_iterator(folder / "text")) {
    ExpectWholeLines(entry.path(), 9);
  }
}

}  // namespace
}  // namespace tolvanex
