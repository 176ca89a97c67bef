// The desktop services that the front ends share: one instance per user, the text editor, the
// local year, and what the running program knows about itself.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "system/file_io.h"
#include "system/version.h"

namespace tolvanex {

struct ProgramInfo {
  std::string Folder;  // the folder of the running program, without a trailing separator
  std::string Name;    // the program's file name without its extension
  int Major = kVersionMajor;
  int Minor = kVersionMinor;
  int Revision = kVersionRevision;
};

// What a user's SingleInstanceLock locks: a lock file in the runtime folder when one is given;
// otherwise one named after the user's number in the system's own place (on POSIX the file
// /tmp/tolvanex-<uid>.lock, on Windows a mutex of the session).
std::string LockFilePath(const char* runtimeFolder, unsigned long uid);
// What this user's lock is, from the environment and the system's account of the user (on POSIX
// in XDG_RUNTIME_DIR, else under the uid; on Windows a mutex named after the user's security
// identifier).
std::string DefaultLockFilePath();

// An exclusive lock on what the path names (a lock file, or on Windows a mutex of the session),
// held as long as the object lives. The system drops it when the process ends, after a crash
// too, so a stale lock never blocks a start.
class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(std::string path = DefaultLockFilePath());

  // Takes the lock unless another holder has it; true when this object holds it afterwards.
  // Throws when the lock file cannot be opened.
  bool Acquire();
  bool Held() const { return file_.IsOpen(); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  io::File file_;
};

// The text editor: the program named by TOLVANEX_EDITOR when it is set and not empty, else the
// system's own way to open a text file (xdg-open on POSIX, notepad on Windows).
std::string EditorProgram();
// The path as the editor is to receive it: a path that the editor could take for an option gets
// another spelling of the same file: "-x" becomes "./-x" (on Windows ".\-x", and there "/x",
// not "//x", becomes "\x"); every other path is passed as it stands.
std::string EditorArgument(std::string_view path);
// Starts a program with one argument, never through a shell, detached from this program (none
// of its terminal or console, signals or open files) and never waited for, so that it outlives
// the program and leaves nothing of itself behind in it. Returns at once; throws
// std::system_error when the program cannot be started (for example when no such program
// exists).
void StartDetached(const std::string& program, const std::string& argument);

// Folder (without a trailing separator, except for the root) and name without extension of a
// program's file; the version is this program's.
ProgramInfo ProgramInfoFromPath(std::string_view executablePath);
// The running program, as the system names its file (on POSIX /proc/self/exe); when the system
// cannot say, "tolvanex" in the current folder.
ProgramInfo RunningProgram();

// The year of today's date in the local time zone. Asked for every date read without a year, so
// it is cheap: the time zone is not read anew at each call.
int LocalYear();
// The local time now in ISO 8601 with its offset from UTC: "2026-12-10T16:50:40+01:00".
std::string LocalTimestamp();

// The pieces of Platform that do not depend on the toolkit, for the front ends to delegate to.
class DesktopServices {
 public:
  DesktopServices() : program_(RunningProgram()) {}
  explicit DesktopServices(std::string lockPath)
      : program_(RunningProgram()), lock_(std::move(lockPath)) {}

  // Takes the lock at the first call; another instance holds it when it cannot be taken.
  bool AnotherInstanceRunning() { return !lock_.Acquire(); }
  // Throws when the editor cannot be started, with a description that names the editor: the
  // system's own message ("No such file or directory") would read as if the file were missing.
  void StartEditor(const std::string& path);
  const ProgramInfo& Program() const { return program_; }

 private:
  ProgramInfo program_;
  SingleInstanceLock lock_;
};

}  // namespace tolvanex
