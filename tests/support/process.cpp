#include "tests/support/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace tolvanex::testing {

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input,
                         const std::map<std::string, std::string>& environment) {
  TempFolder streams;
  WriteFile(streams / "in", input);

  std::vector<std::string> argStore{program};
  argStore.insert(argStore.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& arg : argStore) argv.push_back(arg.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStore;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text(*entry);
    auto name = text.substr(0, text.find('='));
    if (environment.count(name) == 0) envStore.push_back(text);
  }
  for (const auto& [name, value] : environment) envStore.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& entry : envStore) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::string in = streams / "in", out = streams / "out", err = streams / "err";
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT, 0600);
  pid_t pid = 0;
  int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0)
    throw std::runtime_error("cannot start " + program + ": " + std::strerror(failed));

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  ProcessResult result;
  result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.Out = ReadFile(out);
  result.Err = ReadFile(err);
  return result;
}

void SetEnvironment(const char* name, const char* value) {
  if (value == nullptr) {
    ::unsetenv(name);
  } else {
    ::setenv(name, value, 1);
  }
}

}  // namespace tolvanex::testing
