#include "system/file_moves.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "system/file_io.h"

namespace tolvanex {

namespace {

// Enough for a folder that collects the same name every day for years.
constexpr int kMostNumberedNames = 10000;

enum class Outcome { Moved, NameTaken, NeedsCopy };

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Makes a move or a removal last through a power cut. Some file systems cannot flush a folder
// (EINVAL); there nothing more can be done.
void FlushFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) io::ThrowSystemError(errno);
  io::File handle = io::File::Adopt(fd, folder);
  try {
    handle.SyncToDisk();
  } catch (const std::system_error& failure) {
    if (failure.code() != std::errc::invalid_argument) throw;
  }
}

// A second name for the file, then the first one removed: for file systems that cannot rename
// without replacing. The link fails when the name exists, so nothing is replaced either.
Outcome LinkThenUnlink(const std::string& from, const std::string& to) {
  if (::link(from.c_str(), to.c_str()) != 0) {
    if (errno == EEXIST) return Outcome::NameTaken;
    // No hard links here (or the folders lie apart): the file is copied instead.
    if (errno == EPERM || errno == EXDEV || errno == ENOTSUP || errno == EOPNOTSUPP) {
      return Outcome::NeedsCopy;
    }
    io::ThrowSystemError(errno);
  }
  if (::unlink(from.c_str()) != 0) {
    int error = errno;
    ::unlink(to.c_str());
    io::ThrowSystemError(error);
  }
  return Outcome::Moved;
}

Outcome RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return Outcome::Moved;
  }
  switch (errno) {
    case EEXIST:
      return Outcome::NameTaken;
    case EXDEV:
      return Outcome::NeedsCopy;
    case EINVAL:
    case ENOSYS:
    case ENOTSUP:
      return LinkThenUnlink(from, to);
    default:
      io::ThrowSystemError(errno);
  }
}

// Copies the file to a new name (exclusive creation: a name that exists is reported as taken),
// with its mode and modification time, flushed to disk; on any failure the copy is removed.
Outcome CopyToNewName(const std::string& from, const std::string& to) {
  io::File source = io::OpenForReading(from);
  struct stat info {};
  if (::fstat(static_cast<int>(source.Native()), &info) != 0) io::ThrowSystemError(errno);
  io::File target;
  try {
    target = io::CreateNewFile(to);
  } catch (const std::system_error& failure) {
    if (failure.code() == std::errc::file_exists) return Outcome::NameTaken;
    throw;
  }
  try {
    int fd = static_cast<int>(target.Native());
    if (::fchmod(fd, 0600) != 0) io::ThrowSystemError(errno);
    char buffer[64 * 1024];
    while (std::size_t n = source.ReadSome(buffer, sizeof buffer)) {
      target.WriteAll(std::string_view(buffer, n));
    }
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (::fchmod(fd, info.st_mode & 07777) != 0 || ::futimens(fd, times) != 0) {
      io::ThrowSystemError(errno);
    }
    target.SyncToDisk();
    target.Close();
    FlushFolder(FolderOf(to));
  } catch (...) {
    target = io::File();
    ::unlink(to.c_str());
    throw;
  }
  if (::unlink(from.c_str()) != 0) {
    // The original cannot go, so the copy must not stay: one file, not two.
    int error = errno;
    ::unlink(to.c_str());
    io::ThrowSystemError(error);
  }
  return Outcome::Moved;
}

}  // namespace

std::string MoveFileIntoFolder(const std::string& path, const std::string& folder) {
  if (!io::IsRegularFile(path)) io::ThrowSystemError(ENOENT);
  // Moved within its own folder, the file would only get a numbered name, and a job over that
  // folder would take it again.
  auto here = io::IdentityOf(FolderOf(path));
  if (here && here == io::IdentityOf(folder.empty() ? std::string(".") : folder)) {
    throw std::runtime_error("The file is in that folder already");
  }
  const std::string name = NameOf(path);
  std::string base = folder;
  if (base.empty() || base.back() != '/') base += '/';
  bool copy = false;
  for (int n = 0; n < kMostNumberedNames; ++n) {
    std::string target = base + NumberedName(name, n);
    Outcome outcome = copy ? Outcome::NeedsCopy : RenameWithoutReplacing(path, target);
    if (outcome == Outcome::NeedsCopy) {
      copy = true;
      outcome = CopyToNewName(path, target);
    }
    if (outcome == Outcome::Moved) {
      FlushFolder(folder.empty() ? std::string(".") : folder);
      FlushFolder(FolderOf(path));
      return target;
    }
  }
  throw std::runtime_error("No free name for " + name + " in " + folder);
}

}  // namespace tolvanex
