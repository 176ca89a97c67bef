// --log FILE: a line per data file, appended, for jobs whose output nobody reads.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/batch/batch_fixture.h"

namespace tolvanex {
namespace {

using BatchLog = BatchFolder;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(BatchLog, APlainLineOfSevenFieldsForEachDataFileAppended) {
  std::string log = folder / "job.log";
  testing::WriteFile(log, "kept\r\n");
  std::string reported =
      DataFile("escape.dat", "\"2031\",\"7\",\"\x1b[2J\",S1,0.7,1,0,1.5,2,0\r\n");
  auto result = Run({"--log", log, "--no-prompt", "--no-text", "--lookup",
                     kRunData + "/expected/sites.lkp", folder / "data.dat", reported});
  EXPECT_EQ(result.ExitStatus, 3) << result.Err;
  std::string text = testing::ReadFile(log);
  EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
  std::vector<std::string> lines = LinesOf(text);
  ASSERT_EQ(lines.size(), 3u) << text;
  EXPECT_EQ(lines[0], "kept\r");
  const std::string time =
      "[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}[+-][0-9]{2}:[0-9]{2}";
  // The path is no pattern: the time is matched, the rest compared.
  std::smatch parts;
  ASSERT_TRUE(std::regex_match(lines[1], parts, std::regex(time + "\t([\\s\\S]*)"))) << lines[1];
  EXPECT_EQ(parts[1].str(), folder / "data.dat" + "\tend_of_data\t7\t2\t0\t\r");
  std::string escaped = folder / "escape.dat";
  std::string report = "\t3\tType mismatch | Tolvanex:DateTimeValue: \\x1b[2J\r";
  EXPECT_NE(lines[2].find("\t" + escaped + "\tend_of_data\t"), std::string::npos) << lines[2];
  EXPECT_TRUE(lines[2].ends_with(report)) << lines[2];
}

TEST_F(BatchLog, InAFolderThatIsNotThereIsAUsageError) {
  std::string log = folder / "missing/job.log";
  auto result = Run({"--log", log});
  EXPECT_EQ(result.ExitStatus, 2);
  EXPECT_TRUE(result.Err.starts_with("tolvanex-batch: --log: cannot write to " + log + ": "))
      << result.Err;
  EXPECT_TRUE(testing::NamesIn(folder / "post").empty());
}

// Two jobs that share a log never mix their lines: each line is one write at the log's end.
TEST_F(BatchLog, TwoJobsAppendingAtOnceGiveWholeLines) {
  std::string log = folder / "shared.log";
  const int kFiles = 40;
  std::vector<std::string> files[2];
  for (int job = 0; job < 2; ++job) {
    for (int i = 0; i < kFiles; ++i) {
      files[job].push_back(DataFile("job" + std::to_string(job) + "_" + std::to_string(i) + ".dat",
                                    LargeDataFile(50)));
    }
  }
  auto jobRun = [&](int job) {
    std::vector<std::string> arguments{"--log", log, "--no-post", "--no-text"};
    arguments.insert(arguments.end(), files[job].begin(), files[job].end());
    EXPECT_EQ(Run(arguments).ExitStatus, 0);
  };
  std::thread first(jobRun, 0);
  std::thread second(jobRun, 1);
  first.join();
  second.join();
  std::vector<std::string> lines = LinesOf(testing::ReadFile(log));
  ASSERT_EQ(lines.size(), 2u * kFiles);
  std::regex whole("[^\t]+\t[^\t]+job[01]_[0-9]+\\.dat\tend_of_data\t0\t0\t0\t\r");
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, whole)) << line;
}

}  // namespace
}  // namespace tolvanex
