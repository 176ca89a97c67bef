// The batch command stopped from outside at random points, as a scheduled job is: killed, or
// signalled as Ctrl-C, a service stop or `timeout` do, the process alone or its whole process
// group. Whatever the point, no published file may be cut or half written, the next complete run
// must leave the text files with exactly the readings of a run that was never stopped, and no
// temporary may outlive it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/batch/batch_fixture.h"
#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

// The stops come from this seed, or from TOLVANEX_STOP_SEED to try others; a failure names it.
std::uint32_t Seed() {
  const char* chosen = std::getenv("TOLVANEX_STOP_SEED");
  return chosen != nullptr ? static_cast<std::uint32_t>(std::strtoul(chosen, nullptr, 10))
                           : 20261209u;
}
// The sanitizer build runs the command ten times slower: fewer and shorter runs keep its share of
// the test time.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kStops = 8;
constexpr int kLines = 30000;
constexpr int kLongestDelayMicroseconds = 1500000;
#else
constexpr int kStops = 20;
constexpr int kLines = 150000;
constexpr int kLongestDelayMicroseconds = 600000;
#endif

// A folder with the data, the lookup file and settings that write both kinds of file.
std::string PrepareFolder(const testing::TempFolder& folder, const std::string& data) {
  fs::create_directory(folder / "post");
  fs::create_directory(folder / "text");
  testing::WriteFile(folder / "data.dat", data);
  testing::WriteFile(folder / "sites.lkp", LargeLookupFile(20));
  testing::WriteFile(folder / "tolvanex.ini",
                     "[General]\r\nDataFile=" + (folder / "data.dat") +
                         "\r\nOutputPostFile=1\r\nPostFolder=" + (folder / "post") +
                         "\r\nLookupFile=" + (folder / "sites.lkp") +
                         "\r\nSortLookup=1\r\nOutputTextFile=1\r\nExtension=txt\r\n"
                         "OutputFolder=" +
                         (folder / "text") + "\r\nDateFormat=d mmm yyyy HH:MM\r\n");
  return folder / "tolvanex.ini";
}

testing::ProcessResult CompleteRun(const std::string& settings) {
  return testing::RunProcess(TOLVANEX_BATCH, {"--quiet", "--settings", settings}, "512\n");
}

struct Stop {
  int Signal;
  bool Group;
  std::chrono::microseconds Delay;
};

std::string Describe(const Stop& stop) {
  return std::string(strsignal(stop.Signal)) + (stop.Group ? " to the process group" : "") +
         " after " + std::to_string(stop.Delay.count()) + " us (seed " + std::to_string(Seed()) +
         ")";
}

// Starts the batch command in a process group of its own, answers the site prompt, and stops
// it after the delay.
void RunAndStop(const std::string& settings, const Stop& stop) {
  int input[2];
  ASSERT_EQ(::pipe(input), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setpgid(0, 0);
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
  ::setpgid(child, child);
  ::close(input[0]);
  // The answer may find the program gone already; that is no failure of the test.
  ::signal(SIGPIPE, SIG_IGN);
  (void)!::write(input[1], "512\n", 4);
  std::this_thread::sleep_for(stop.Delay);
  ::kill(stop.Group ? -child : child, stop.Signal);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(input[1]);
}

std::vector<std::string> LinesOf(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(content.substr(start, end - start));
  }
  if (start < content.size()) lines.push_back(content.substr(start) + "<cut>");
  return lines;
}

// A post file as it may be published: the 17 header lines, then whole reading lines of 17
// commas, the last one ended too.
void ExpectWholePostFile(const fs::path& path, const std::string& stop) {
  std::string content = testing::ReadFile(path);
  ASSERT_TRUE(content.ends_with("\r\n")) << path << " ends in a cut line after " << stop;
  std::vector<std::string> lines = LinesOf(content);
  ASSERT_GE(lines.size(), 17u) << path << " after " << stop;
  EXPECT_TRUE(lines[0].starts_with(" 503DR-SD,S")) << path;
  EXPECT_EQ(lines[16], "16, Calibration  16    ") << path;
  for (std::size_t i = 17; i < lines.size(); ++i) {
    ASSERT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 17) << path << ": " << lines[i];
    ASSERT_TRUE(lines[i].ends_with("  ") || lines[i].ends_with(",0 ")) << path << ": " << lines[i];
  }
}

// The text file holds the reference's lines in order, each whole; a line cut by a stop may stand
// just before the whole one that it began.
void ExpectTheReadingsOf(const std::string& reference, const fs::path& path,
                         const std::string& stop) {
  std::vector<std::string> expected = LinesOf(reference);
  std::vector<std::string> got = LinesOf(testing::ReadFile(path));
  std::size_t next = 0;
  for (std::size_t i = 0; i < got.size(); ++i) {
    ASSERT_LT(next, expected.size()) << path << " has more than the reference after " << stop;
    if (got[i] == expected[next]) {
      ++next;
      continue;
    }
    bool cutPiece =
        expected[next].starts_with(got[i]) && i + 1 < got.size() && got[i + 1] == expected[next];
    ASSERT_TRUE(cutPiece) << path << " line " << i + 1 << " \"" << got[i] << "\" after " << stop;
  }
  EXPECT_EQ(next, expected.size()) << path << " lacks readings after " << stop;
}

std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name.starts_with(".tolvanex-")) names.push_back(entry.path());
  }
  return names;
}

TEST(BatchStopped, LeavesOnlyWholeFilesAndTheNextRunCompletesEveryTextFile) {
  const std::string data = LargeDataFile(kLines);
  testing::TempFolder reference;
  auto referenceRun = CompleteRun(PrepareFolder(reference, data));
  ASSERT_EQ(referenceRun.ExitStatus, 0) << referenceRun.Err;
  std::map<std::string, std::string> referenceText;
  for (const auto& entry : fs::directory_iterator(reference / "text")) {
    referenceText[entry.path().filename()] = testing::ReadFile(entry.path().string());
  }
  const std::string oldLookup = LargeLookupFile(20);
  const std::string newLookup = testing::ReadFile(reference / "sites.lkp");
  ASSERT_NE(newLookup.find("2020, 3, 512\r\n"), std::string::npos);

  testing::TempFolder folder;
  const std::string settings = PrepareFolder(folder, data);
  std::mt19937 random(Seed());
  std::uniform_int_distribution<int> delay(1000, kLongestDelayMicroseconds);
  const int signals[] = {SIGKILL, SIGINT, SIGTERM};
  for (int n = 0; n < kStops; ++n) {
    Stop stop{signals[random() % 3], random() % 2 == 0, std::chrono::microseconds(delay(random))};
    const std::string described = Describe(stop);
    RunAndStop(settings, stop);
    for (const auto& entry : fs::directory_iterator(folder / "post")) {
      if (entry.path().filename().string().starts_with(".")) continue;
      ExpectWholePostFile(entry.path(), described);
    }
    std::string lookup = testing::ReadFile(folder / "sites.lkp");
    EXPECT_TRUE(lookup == oldLookup || lookup == newLookup) << lookup << described;

    auto completed = CompleteRun(settings);
    ASSERT_EQ(completed.ExitStatus, 0) << completed.Err << described;
    EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), newLookup) << described;
    for (const auto& [name, content] : referenceText) {
      ExpectTheReadingsOf(content, folder / ("text/" + name), described);
    }
    // Left by a killed run, a temporary is old only after minutes; it must not outlive the run
    // that finds it then. Here it is aged at once and removed by the next run.
    for (const std::string& left : Temporaries(folder.Path())) {
      fs::last_write_time(left, fs::last_write_time(left) - std::chrono::minutes(10));
    }
    // Published post files are out of the way, or the runs would take every name of a day.
    for (const auto& entry : fs::directory_iterator(folder / "post")) {
      if (!entry.path().filename().string().starts_with(".")) fs::remove(entry.path());
    }
    if (HasFatalFailure()) return;
  }
  auto last = CompleteRun(settings);
  EXPECT_EQ(last.ExitStatus, 0) << last.Err;
  EXPECT_TRUE(Temporaries(folder.Path()).empty());
}

}  // namespace
}  // namespace tolvanex
