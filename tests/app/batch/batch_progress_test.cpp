#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

#include "tests/app/batch/batch_fixture.h"

namespace tolvanex {
namespace {

struct TerminalRun {
  int ExitStatus = -1;
  std::string Terminal;  // what stderr wrote to the terminal
  double Seconds = 0;
};

// Runs the command with stderr on a pseudo-terminal of the given width; stdout goes to a file and
// stdin reads nothing.
TerminalRun RunOnTerminal(std::vector<std::string> arguments, unsigned short columns,
                          const std::string& stdoutPath) {
  arguments.insert(arguments.begin(), TOLVANEX_BATCH);
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  TerminalRun run;
  winsize size{};
  size.ws_row = 24;
  size.ws_col = columns;
  int terminal = -1;
  auto start = std::chrono::steady_clock::now();
  pid_t child = ::forkpty(&terminal, nullptr, nullptr, &size);
  if (child < 0) return run;
  if (child == 0) {
    int out = ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int in = ::open("/dev/null", O_RDONLY);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(in, STDIN_FILENO);
    ::setenv("LC_ALL", "C", 1);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  char buffer[4096];
  for (;;) {
    ssize_t n = ::read(terminal, buffer, sizeof buffer);
    if (n > 0) {
      run.Terminal.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // EIO once the child has closed its side
    }
  }
  ::close(terminal);
  int status = 0;
  ::waitpid(child, &status, 0);
  run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

// The screen's lines after the output, as a terminal draws it: CR goes back to the first column,
// LF to the next line. Also the furthest column written to.
struct Screen {
  std::vector<std::string> Lines{std::string()};
  std::size_t Widest = 0;
};

Screen Draw(const std::string& output) {
  Screen screen;
  std::size_t column = 0;
  for (char c : output) {
    std::string& line = screen.Lines.back();
    if (c == '\r') {
      column = 0;
    } else if (c == '\n') {
      screen.Lines.emplace_back();
      column = 0;
    } else {
      if (line.size() <= column) line.resize(column + 1, ' ');
      line[column++] = c;
      screen.Widest = std::max(screen.Widest, column);
    }
  }
  return screen;
}

using BatchProgress = BatchFolder;

TEST_F(BatchProgress, FitsANarrowTerminalAndIsErasedAtTheEnd) {
  std::string name = "download-of-station-three-first-half.dat";
  std::string first = DataFile(name, LargeDataFile(40000));
  std::string second = DataFile("second.dat", LargeDataFile(100));
  testing::WriteFile(folder / "sites.lkp", LargeLookupFile(21));
  TerminalRun run = RunOnTerminal(
      {"--settings", folder / "tolvanex.ini", "--no-text", first, second}, 40, folder / "stdout");
  ASSERT_EQ(run.ExitStatus, 0) << run.Terminal;
  EXPECT_EQ(testing::ReadFile(folder / "stdout"),
            "Finished - posted 40000 readings to 8 post file(s)\n"
            "Finished - posted 100 readings to 1 post file(s)\n");

  Screen screen = Draw(run.Terminal);
  EXPECT_LE(screen.Widest, 39u);  // the last column stays free
  for (const std::string& line : screen.Lines) {
    EXPECT_EQ(line.find_first_not_of(' '), std::string::npos) << "left on screen: " << line;
  }

  // Each redraw starts with a CR; every frame names the file in hand and how far it is.
  int frames = 0;
  bool firstShown = false, secondShown = false;
  std::size_t at = 0;
  while ((at = run.Terminal.find('\r', at)) != std::string::npos) {
    std::size_t end = run.Terminal.find('\r', ++at);
    std::string frame = run.Terminal.substr(at, end == std::string::npos ? end : end - at);
    if (frame.find_first_not_of(' ') == std::string::npos) continue;
    ++frames;
    EXPECT_NE(frame.find("% "), std::string::npos) << frame;
    EXPECT_NE(frame.find(" readings"), std::string::npos) << frame;
    firstShown |= frame.starts_with("1/2  ...") && frame.find("-half.dat ") != std::string::npos;
    secondShown |= frame.starts_with("2/2  second.dat ");
  }
  EXPECT_TRUE(firstShown) << run.Terminal;
  EXPECT_TRUE(secondShown) << run.Terminal;
  // At most ten a second, and one at the start of each file.
  EXPECT_LE(frames, static_cast<int>(run.Seconds * 10) + 2) << frames << " in " << run.Seconds;
}

TEST_F(BatchProgress, IsNotShownWhenQuietOrOffTheTerminal) {
  auto quiet = RunOnTerminal({"--settings", folder / "tolvanex.ini", "--quiet", "--no-post"}, 80,
                             folder / "stdout");
  EXPECT_EQ(quiet.ExitStatus, 0);
  EXPECT_EQ(quiet.Terminal, "");
  auto piped = Run({"--no-post"});
  EXPECT_EQ(piped.Err, "");
}

}  // namespace
}  // namespace tolvanex
