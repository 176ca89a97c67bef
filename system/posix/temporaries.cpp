// Temporary files, their publication under a final name and the replacement of a whole file.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <utility>

#include "system/file_faults.h"
#include "system/file_io.h"

namespace tolvanex::io {

namespace {

// A temporary is left behind when its writer was killed; one this old that nobody holds is.
constexpr std::time_t kStaleAfterSeconds = 120;

std::string TemporaryStem(std::string_view kind) {
  std::string stem(kTemporaryPrefix);
  stem.append(kind);
  stem += '-';
  return stem;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Rename without replacing: renameat2 where the file system has it, else a second link to the
// file, which fails the same way when the name is taken, and the removal of the first.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

}  // namespace

File CreateTemporary(const std::string& folder, std::string_view kind) {
  std::string name = InFolder(folder, TemporaryStem(kind) + "XXXXXX");
  FailIfFaulty(FileOperation::Open, name, 0);
  // Made with the permissions of any file the user makes (0666 less the umask), unlike mkstemp's
  // private 0600: the temporary becomes the published file, which others (an upload service
  // reading the post folder) may have to read.
  constexpr std::string_view kLetters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  // The names need not be secret, only unlikely to be taken: the exclusive creation below never
  // opens a file that is there. A few bits of the clock and the process, well mixed, are enough.
  std::uint64_t state =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<std::uint64_t>(::getpid()) << 40);
  for (int tries = 0;; ++tries) {
    state += 0x9E3779B97F4A7C15u;  // splitmix64
    std::uint64_t bits = state;
    bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9u;
    bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBu;
    bits ^= bits >> 31;
    for (std::size_t i = name.size() - 6; i < name.size(); ++i, bits /= kLetters.size()) {
      name[i] = kLetters[bits % kLetters.size()];
    }
    int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      File file = File::Adopt(fd, name);
      file.TryLock();
      return file;
    }
    if (errno != EEXIST || tries == 100) ThrowSystemError(errno);
  }
}

void PublishTemporary(File& temporary, const std::string& path) {
  FailIfFaulty(FileOperation::Rename, path, 0);
  if (int error = RenameNoReplace(temporary.Path(), path); error != 0) ThrowSystemError(error);
  temporary = File::Adopt(temporary.Release(), path);
}

void DiscardTemporary(File& temporary) {
  if (!temporary.IsOpen()) return;
  ::unlink(temporary.Path().c_str());
  temporary = File();
}

void RemoveStaleTemporaries(const std::string& folder, std::string_view kind) {
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return;
  std::string stem = TemporaryStem(kind);
  std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(listing)) {
    std::string_view name = entry->d_name;
    if (!name.starts_with(stem) || name.size() != stem.size() + 6) continue;
    struct stat info {};
    if (::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode) || now - info.st_mtime < kStaleAfterSeconds) {
      continue;
    }
    int fd =
        ::openat(::dirfd(listing), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A temporary that its writer still has open is locked; only one left behind is free.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlinkat(::dirfd(listing), entry->d_name, 0);
    ::close(fd);
  }
  ::closedir(listing);
}

void ReplaceWholeFileWith(const std::string& path, const std::function<void(File&)>& writeContent,
                          std::string_view kind) {
  // A link is followed: the file it names gets the new content, and the link stays.
  std::string target = ResolvedPath(path);
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) throw NotRegularFile();
  std::string folder = FolderOfPath(target);
  RemoveStaleTemporaries(folder, kind);
  File temporary = CreateTemporary(folder, kind);
  try {
    // A replaced file keeps its permissions, and its owner and group where this process may
    // give them; a new one has the usual permissions for the user, as the temporary was made.
    struct stat old {};
    int fd = static_cast<int>(temporary.Native());
    if (::stat(target.c_str(), &old) == 0) {
      if (::fchmod(fd, old.st_mode & 07777) != 0) ThrowSystemError(errno);
      if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
      }
    }
    writeContent(temporary);
    temporary.SyncToDisk();
    FailIfFaulty(FileOperation::Rename, target, 0);
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) ThrowSystemError(errno);
    temporary.Close();
  } catch (...) {
    ::unlink(temporary.Path().c_str());
    throw;
  }
}

}  // namespace tolvanex::io
