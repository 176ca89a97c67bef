#include "system/desktop.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace tolvanex {

namespace {

class SpawnAttributes {
 public:
  SpawnAttributes() {
    if (int error = ::posix_spawnattr_init(&attributes_); error != 0) io::ThrowSystemError(error);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
  posix_spawnattr_t* Get() { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

class SpawnFileActions {
 public:
  SpawnFileActions() {
    if (int error = ::posix_spawn_file_actions_init(&actions_); error != 0) {
      io::ThrowSystemError(error);
    }
  }
  SpawnFileActions(const SpawnFileActions&) = delete;
  SpawnFileActions& operator=(const SpawnFileActions&) = delete;
  ~SpawnFileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  posix_spawn_file_actions_t* Get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

void Check(int error) {
  if (error != 0) io::ThrowSystemError(error);
}

// The editor starts in a session of its own with every signal at its default and none blocked,
// whatever the window's toolkit has set up, and sees only the standard streams.
void PrepareForEditor(SpawnAttributes& attributes, SpawnFileActions& actions) {
  sigset_t none;
  sigemptyset(&none);
  sigset_t all;
  sigfillset(&all);
  sigdelset(&all, SIGKILL);
  sigdelset(&all, SIGSTOP);
  Check(::posix_spawnattr_setsigmask(attributes.Get(), &none));
  Check(::posix_spawnattr_setsigdefault(attributes.Get(), &all));
  Check(::posix_spawnattr_setflags(
      attributes.Get(), POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 34)
  Check(::posix_spawn_file_actions_addclosefrom_np(actions.Get(), STDERR_FILENO + 1));
#else
  static_cast<void>(actions);
#endif
}

constexpr std::string_view kDeletedSuffix = " (deleted)";

}  // namespace

std::string LockFilePath(const char* runtimeFolder, unsigned long uid) {
  if (runtimeFolder != nullptr && *runtimeFolder != '\0') {
    std::string path(runtimeFolder);
    if (path.back() != '/') path += '/';
    return path + "tolvanex.lock";
  }
  return "/tmp/tolvanex-" + std::to_string(uid) + ".lock";
}

std::string DefaultLockFilePath() {
  return LockFilePath(std::getenv("XDG_RUNTIME_DIR"), static_cast<unsigned long>(::getuid()));
}

SingleInstanceLock::SingleInstanceLock(std::string path) : path_(std::move(path)) {}

bool SingleInstanceLock::Acquire() {
  if (Held()) return true;
  // Not inherited by the editor: a child holding the descriptor would keep the lock after the
  // program ends. A link planted under the shared /tmp name is not followed.
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
  if (fd < 0) io::ThrowSystemError(errno);
  io::File file = io::File::Adopt(fd, path_);
  // A second open of the same file by this very process is refused like another process would be.
  if (!file.TryLock()) return false;
  file_ = std::move(file);
  return true;
}

std::string EditorProgram() {
  const char* chosen = std::getenv("TOLVANEX_EDITOR");
  return (chosen != nullptr && *chosen != '\0') ? std::string(chosen) : std::string("xdg-open");
}

std::string EditorArgument(std::string_view path) {
  if (!path.empty() && path.front() == '-') return "./" + std::string(path);
  return std::string(path);
}

void StartDetached(const std::string& program, const std::string& argument) {
  // Everything is made ready before the fork: between fork and exec the helper does no more than
  // start the program and pass on the outcome.
  std::string programCopy = program;
  std::string argumentCopy = argument;
  char* arguments[] = {programCopy.data(), argumentCopy.data(), nullptr};
  SpawnAttributes attributes;
  SpawnFileActions actions;
  PrepareForEditor(attributes, actions);

  // The helper starts the program and ends at once; the program then belongs to init, which
  // reaps it, so neither a wait nor a zombie is left for this process.
  pid_t helper = ::fork();
  if (helper < 0) io::ThrowSystemError(errno);
  if (helper == 0) {
    pid_t started = 0;
    int error =
        ::posix_spawnp(&started, arguments[0], actions.Get(), attributes.Get(), arguments, environ);
    ::_exit(error > 0 && error < 256 ? error : (error == 0 ? 0 : EIO));
  }

  int status = 0;
  while (::waitpid(helper, &status, 0) < 0) {
    if (errno == EINTR) continue;
    // Children reaped by the system (SIGCHLD ignored) leave no outcome to read.
    if (errno == ECHILD) return;
    io::ThrowSystemError(errno);
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return;
  io::ThrowSystemError(WIFEXITED(status) ? WEXITSTATUS(status) : ECHILD);
}

ProgramInfo ProgramInfoFromPath(std::string_view executablePath) {
  if (executablePath.size() > kDeletedSuffix.size() && executablePath.ends_with(kDeletedSuffix)) {
    executablePath.remove_suffix(kDeletedSuffix.size());
  }
  ProgramInfo info;  // with this program's version
  std::string_view name = executablePath;
  if (auto slash = executablePath.rfind('/'); slash != std::string_view::npos) {
    info.Folder = std::string(executablePath.substr(0, slash == 0 ? 1 : slash));
    name = executablePath.substr(slash + 1);
  }
  if (auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) {
    name = name.substr(0, dot);
  }
  info.Name = std::string(name);
  return info;
}

ProgramInfo RunningProgram() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && !self.empty()) return ProgramInfoFromPath(self.string());
  std::filesystem::path here = std::filesystem::current_path(error);
  return ProgramInfoFromPath((error ? std::string() : here.string() + "/") + "tolvanex");
}

std::string LocalTimestamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[40];
  std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  std::string stamp(text, length);
  // strftime writes the offset as +0100; ISO 8601's extended form has a colon in it.
  if (stamp.size() >= 5) stamp.insert(stamp.size() - 2, ":");
  return stamp;
}

int LocalYear() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace tolvanex
