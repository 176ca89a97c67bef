#include "system/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "system/file_faults.h"

namespace tolvanex::io {

namespace {

int Fd(const File& file) {
  return static_cast<int>(file.Native());
}

FileState StateFrom(const struct stat& info) {
  FileState state;
  state.Identity = {static_cast<std::uint64_t>(info.st_dev),
                    static_cast<std::uint64_t>(info.st_ino)};
  state.Size = static_cast<std::uint64_t>(info.st_size);
  state.ModifiedNanoseconds =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  state.Names = static_cast<std::uint64_t>(info.st_nlink);
  return state;
}

// Opens with the flags, or fails as the fault hook says.
File Open(const std::string& path, int flags, mode_t mode = 0666) {
  FailIfFaulty(FileOperation::Open, path, 0);
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0) ThrowSystemError(errno);
  return File::Adopt(fd, path);
}

// Opens an output file without following a link: a link under the name makes the open fail with
// ELOOP, a FIFO without a reader with ENXIO, a folder with EISDIR, all of them NotRegularFile.
File OpenOutputName(const std::string& path, int flags) {
  try {
    return Open(path, flags | O_NOFOLLOW);
  } catch (const std::system_error& failure) {
    if (failure.code() == std::errc::too_many_symbolic_link_levels ||
        failure.code() == std::errc::no_such_device_or_address ||
        failure.code() == std::errc::is_a_directory) {
      throw NotRegularFile();
    }
    throw;
  }
}

// An output file that may be there already, opened without blocking, must turn out a regular
// file; its state is what the one look that tells saw. Writes then wait as they do on any file.
File OpenOutput(const std::string& path, int flags, FileState* state = nullptr) {
  File file = OpenOutputName(path, flags | O_NONBLOCK);
  struct stat info {};
  if (::fstat(Fd(file), &info) != 0) ThrowSystemError(errno);
  if (!S_ISREG(info.st_mode)) throw NotRegularFile();
  // F_SETFL takes the flags the file was opened with less O_NONBLOCK: the access mode and the
  // flags for the open alone are ignored by it.
  ::fcntl(Fd(file), F_SETFL, flags);
  if (state != nullptr) *state = StateFrom(info);
  return file;
}

// A new output file. O_EXCL refuses a name that holds anything at all (a file, a link even when
// it dangles, a FIFO, a folder, a device) before anything is opened: what is opened is the file
// just made, a regular file with nothing to block on, and needs no look.
File CreateOutput(const std::string& path, int flags) {
  return OpenOutputName(path, flags | O_CREAT | O_EXCL);
}

}  // namespace

void ThrowSystemError(int error) {
  throw std::system_error(error, std::generic_category());
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool NameIsTaken(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

std::uint64_t FileLength(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) ThrowSystemError(errno);
  return static_cast<std::uint64_t>(info.st_size);
}

std::string ResolvedPath(const std::string& path) {
  std::string current = path;
  // A link to a file that is yet to be made is followed by hand: realpath needs the file.
  for (int links = 0; links < 40; ++links) {
    if (char* resolved = ::realpath(current.c_str(), nullptr)) {
      std::string result(resolved);
      std::free(resolved);
      return result;
    }
    char target[4096];
    ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
    if (n <= 0) break;
    std::string next(target, static_cast<std::size_t>(n));
    current = next.front() == '/' ? next : FolderOfPath(current) + "/" + next;
  }
  return current;
}

WriteAccess WriteAccessTo(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return errno == ENOENT ? WriteAccess::Missing : WriteAccess::Refused;
  }
  if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
    return WriteAccess::Refused;
  }
  return WriteAccess::Allowed;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  auto state = StateOf(path);
  if (!state) return std::nullopt;
  return state->Identity;
}

std::optional<FileState> StateOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return StateFrom(info);
}

std::string FolderOfPath(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void File::CloseNative(std::intptr_t handle) noexcept {
  ::close(static_cast<int>(handle));
}

FileState File::State() const {
  struct stat info {};
  if (::fstat(Fd(*this), &info) != 0) ThrowSystemError(errno);
  return StateFrom(info);
}

std::size_t File::ReadSome(char* buffer, std::size_t size) {
  FailIfFaulty(FileOperation::Read, path_, size);
  for (;;) {
    ssize_t n = ::read(Fd(*this), buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) ThrowSystemError(errno);
  }
}

void File::SeekTo(std::uint64_t offset) {
  if (::lseek(Fd(*this), static_cast<off_t>(offset), SEEK_SET) < 0) ThrowSystemError(errno);
}

void File::WriteAll(std::string_view bytes) {
  Fault fault = FaultFor(FileOperation::Write, path_, bytes.size());
  if (fault.BytesLetThrough < bytes.size()) bytes = bytes.substr(0, fault.BytesLetThrough);
  while (!bytes.empty()) {
    ssize_t n = ::write(Fd(*this), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowSystemError(errno);
    }
    if (n == 0) ThrowSystemError(ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (fault.Error != 0) ThrowSystemError(fault.Error);
}

void File::TruncateTo(std::uint64_t size) {
  if (::ftruncate(Fd(*this), static_cast<off_t>(size)) != 0) ThrowSystemError(errno);
}

void File::SyncToDisk() {
  FailIfFaulty(FileOperation::Sync, path_, 0);
  if (::fdatasync(Fd(*this)) != 0) ThrowSystemError(errno);
}

void File::AppendWhole(std::string_view bytes) {
  // One write to a descriptor opened with O_APPEND finds the end and writes there in one step.
  WriteAll(bytes);
}

bool File::TryLock() {
  // flock belongs to the open file description, so a second open of the same file by this very
  // process is refused too.
  while (::flock(Fd(*this), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return false;
    ThrowSystemError(errno);
  }
  return true;
}

void File::Close() {
  if (!IsOpen()) return;
  int fd = Fd(*this);
  handle_ = kNoHandle;
  if (::close(fd) != 0 && errno != EINTR) ThrowSystemError(errno);
  FailIfFaulty(FileOperation::Close, path_, 0);
}

File OpenForReading(const std::string& path, FileState& state) {
  // O_NONBLOCK keeps a FIFO from holding the open; it is refused just below anyway.
  File file = Open(path, O_RDONLY | O_NONBLOCK);
  struct stat info {};
  if (::fstat(Fd(file), &info) != 0) ThrowSystemError(errno);
  if (S_ISDIR(info.st_mode)) ThrowSystemError(EISDIR);
  if (!S_ISREG(info.st_mode)) ThrowSystemError(EINVAL);
  ::fcntl(Fd(file), F_SETFL, O_RDONLY);  // reads wait again: the open's flags, less O_NONBLOCK
  state = StateFrom(info);
  return file;
}

File OpenForReading(const std::string& path) {
  FileState state;
  return OpenForReading(path, state);
}

File CreateNewFile(const std::string& path) {
  return CreateOutput(path, O_WRONLY);
}

File CreateNewFileToAppend(const std::string& path) {
  return CreateOutput(path, O_WRONLY | O_APPEND);
}

File OpenForAppending(const std::string& path) {
  return OpenOutput(path, O_WRONLY | O_APPEND);
}

File OpenForAppending(const std::string& path, FileState& state) {
  return OpenOutput(path, O_WRONLY | O_APPEND, &state);
}

File OpenLockFile(const std::string& path) {
  return OpenOutput(path, O_RDWR | O_CREAT);
}

}  // namespace tolvanex::io

namespace tolvanex::io {

struct WriteBack::Watched {
  std::string Folder;
  File Handle;
};

WriteBack::WriteBack() = default;
WriteBack::WriteBack(WriteBack&&) noexcept = default;
WriteBack& WriteBack::operator=(WriteBack&&) noexcept = default;
WriteBack::~WriteBack() = default;

void WriteBack::Watch(const std::string& folder) {
  for (const Watched& watched : watched_) {
    if (watched.Folder == folder) return;
  }
  // The folder stays open: syncfs reports the failures to write back that came after the open.
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) ThrowSystemError(errno);
  watched_.push_back({folder, File::Adopt(fd, folder)});
}

void WriteBack::Finish(std::string& failedFolder) {
  std::vector<Watched> watched = std::move(watched_);
  watched_.clear();
  for (Watched& folder : watched) {
    failedFolder = folder.Folder;
    FailIfFaulty(FileOperation::Sync, folder.Folder, 0);
    if (::syncfs(static_cast<int>(folder.Handle.Native())) != 0) ThrowSystemError(errno);
  }
  failedFolder.clear();
}

}  // namespace tolvanex::io
