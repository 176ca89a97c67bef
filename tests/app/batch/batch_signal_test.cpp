#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/batch/batch_fixture.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

class BatchSignal : public BatchFolder {
 protected:
  // Starts the command with stdin on a pipe that stays open, stdout and stderr in files (stdout
  // on a pipe read by the test with outputPipe); returns once the command's program runs.
  void Start(std::vector<std::string> arguments, bool outputPipe = false,
             bool stopsBlocked = false) {
    arguments.insert(arguments.begin(), {TOLVANEX_BATCH, "--settings", folder / "tolvanex.ini"});
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    // Closed by the exec: the parent learns when the command itself has started.
    int started[2];
    ASSERT_EQ(::pipe2(started, O_CLOEXEC), 0);
    std::string outPath = folder / "stdout", errPath = folder / "stderr";
    int outputEnds[2] = {-1, -1};
    if (outputPipe) {
      ASSERT_EQ(::pipe(outputEnds), 0);
    }
    int out =
        outputPipe ? outputEnds[1] : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::dup2(ends[0], STDIN_FILENO);
      ::dup2(out, STDOUT_FILENO);
      ::dup2(err, STDERR_FILENO);
      ::close(ends[1]);
      if (outputPipe) ::close(outputEnds[0]);
      if (stopsBlocked) {
        sigset_t stops;
        sigemptyset(&stops);
        for (int stop : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stops, stop);
        ::sigprocmask(SIG_BLOCK, &stops, nullptr);
      }
      ::setenv("LC_ALL", "C", 1);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(ends[0]);
    ::close(out);
    ::close(err);
    ::close(started[1]);
    char none;
    ASSERT_EQ(::read(started[0], &none, 1), 0);
    ::close(started[0]);
    input = ends[1];
    output = outputEnds[0];
  }

  // Waits, for at most a minute, until the condition holds.
  bool WaitFor(const std::function<bool()>& condition) {
    auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  int Finish() {
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(input);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  pid_t child = -1;
  int input = -1;
  int output = -1;
};

TEST_F(BatchSignal, AtThePromptIsACancelThatEndsTheCommand) {
  std::string second = DataFile("second.dat");
  Start({"--json", folder / "data.dat", second});
  ASSERT_TRUE(WaitFor([&] {
    return testing::ReadFile(folder / "stderr").find("needs a site number") != std::string::npos;
  }));
  ::kill(child, SIGINT);
  EXPECT_EQ(Finish(), 1);
  std::string out = testing::ReadFile(folder / "stdout");
  EXPECT_NE(out.find("\"ended\":\"stop_request\",\"status\":\"Finished - posted 6 readings to 1 "
                     "post file(s)\""),
            std::string::npos)
      << out;
  EXPECT_NE(
      out.find("{\"data_file\":\"" + second + "\",\"exit_status\":1,\"ended\":\"not_started\""),
      std::string::npos)
      << out;
  EXPECT_EQ(testing::ReadFile(folder / "stderr"),
            "88 / 1 needs a site number [9999]: \n"
            "tolvanex-batch: stopped on request; 1 data file(s) not converted\n");
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), testing::ReadFile(kRunData + "/sites.lkp"));
}

TEST_F(BatchSignal, DuringARunEndsItAfterTheLineInHand) {
  testing::WriteFile(folder / "sites.lkp", LargeLookupFile(21));
  const int kFiles = 3;
  std::vector<std::string> arguments{"--no-text"};
  for (int i = 0; i < kFiles; ++i) {
    arguments.push_back(DataFile("large" + std::to_string(i) + ".dat", LargeDataFile(100000)));
  }
  Start(arguments);
  ASSERT_TRUE(WaitFor([&] { return !fs::is_empty(folder / "post"); }));
  ::kill(child, SIGINT);
  EXPECT_EQ(Finish(), 1);

  // One status for each file started, the others left alone.
  std::string out = testing::ReadFile(folder / "stdout");
  std::regex status("Finished - posted ([0-9]+) readings to [0-9]+ post file\\(s\\)\n");
  int started = 0;
  long long posted = 0;
  for (std::sregex_iterator it(out.begin(), out.end(), status), end; it != end; ++it) {
    ++started;
    posted += std::stoll((*it)[1]);
  }
  ASSERT_GE(started, 1) << out;
  ASSERT_LT(started, kFiles) << "the run was over before the signal came";
  EXPECT_EQ(testing::ReadFile(folder / "stderr"), "tolvanex-batch: stopped on request; " +
                                                      std::to_string(kFiles - started) +
                                                      " data file(s) not converted\n");

  // The post files hold whole lines, and exactly the readings that the statuses count.
  long long lines = 0;
  for (const std::string& name : testing::NamesIn(folder / "post")) {
    std::string content = testing::ReadFile(folder / ("post/" + name));
    EXPECT_TRUE(content.ends_with("\r\n")) << name;
    lines += std::count(content.begin(), content.end(), '\n') - 17;  // less the header
  }
  EXPECT_EQ(lines, posted);
}

// A signal is a Cancel from the program's first statement on: whenever it comes, the command
// ends as a stopped one, never by the signal itself. The command is started with the signals
// blocked, as a job runner may start it, so that one sent before the program could have taken
// it (while the system loads it) waits for it; taken it must be.
TEST_F(BatchSignal, RightAfterTheStartIsACancelToo) {
  std::string data = DataFile("large.dat", LargeDataFile(20000));
  for (int trial = 0; trial < 50; ++trial) {
    // Each stopped run leaves a post file of the same day: the names would run out.
    fs::remove_all(folder / "post");
    fs::create_directory(folder / "post");
    Start({"--no-text", "--quiet", data}, false, true);
    std::this_thread::sleep_for(std::chrono::microseconds(5000 + trial * 100));
    ::kill(child, SIGINT);
    int status = Finish();
    ASSERT_EQ(status, 1) << "trial " << trial << ": " << testing::ReadFile(folder / "stderr");
    EXPECT_NE(testing::ReadFile(folder / "stderr").find("tolvanex-batch: stopped on request"),
              std::string::npos)
        << testing::ReadFile(folder / "stderr") << "|" << testing::ReadFile(folder / "stdout");
  }
}

// A data file that another program cuts while the command converts it: the readings taken
// stay, the run reports it (exit 3), and --archive leaves the file where it is.
TEST_F(BatchSignal, ADataFileCutDuringTheRunIsAReportAndIsNotArchived) {
  fs::create_directory(folder / "done");
  // The first pair is unknown: the prompt holds the run after the first block was read.
  std::string data =
      DataFile("cut.dat", "\"88\",\"1\",\"14 Jul 2023 09:06\",S100,0.7,0.001,0,1.62,5,0\r\n" +
                              LargeDataFile(30000));
  testing::WriteFile(folder / "sites.lkp", LargeLookupFile(21));
  Start({"--json", "--no-text", "--archive", folder / "done", data});
  ASSERT_TRUE(WaitFor([&] {
    return testing::ReadFile(folder / "stderr").find("needs a site number") != std::string::npos;
  }));
  fs::resize_file(data, 200);
  ASSERT_EQ(::write(input, "512\n", 4), 4);
  EXPECT_EQ(Finish(), 3);
  std::string out = testing::ReadFile(folder / "stdout");
  EXPECT_NE(out.find("\"description\":\"The data file changed while it was read\",\"label\":"
                     "\"DoExport: " +
                     data + "\""),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\"archived_as\":null"), std::string::npos) << out;
  EXPECT_TRUE(testing::Exists(data));
  EXPECT_TRUE(fs::is_empty(folder / "done"));
}

// The reader of the output goes away (`--json | head -c 10`): the command finishes the data
// file in hand, converts no more, and ends with exit status 1, not by SIGPIPE.
TEST_F(BatchSignal, AClosedOutputEndsTheCommandAfterTheRunInHand) {
  testing::WriteFile(folder / "sites.lkp", LargeLookupFile(21));
  std::vector<std::string> arguments{"--json", "--no-text", "--quiet"};
  for (int i = 0; i < 3; ++i) {
    arguments.push_back(DataFile("file" + std::to_string(i) + ".dat", LargeDataFile(20000)));
  }
  Start(arguments, true);
  char first[10];
  ASSERT_EQ(::read(output, first, sizeof first), 10);
  ::close(output);
  EXPECT_EQ(Finish(), 1);
  EXPECT_EQ(testing::ReadFile(folder / "stderr"),
            "tolvanex-batch: cannot write to standard output; 1 data file(s) not converted\n");
  // The first two files were converted whole, every post file with whole lines.
  long long lines = 0;
  for (const std::string& name : testing::NamesIn(folder / "post")) {
    std::string content = testing::ReadFile(folder / ("post/" + name));
    EXPECT_TRUE(content.ends_with("\r\n")) << name;
    lines += std::count(content.begin(), content.end(), '\n') - 17;
  }
  EXPECT_EQ(lines, 2 * 20000);
}

}  // namespace
}  // namespace tolvanex
