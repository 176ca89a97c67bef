#include "system/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "system/posix/kill_safe_write.h"

namespace tolvanex::io {

namespace {

ssize_t SystemWrite(int fd, const void* buffer, std::size_t size) {
  return ::write(fd, buffer, size);
}

Hooks DefaultHooks() {
  return Hooks{
      [](int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); },
      &SystemWrite,
      [](int fd) { return ::fsync(fd); },
  };
}

// True while no test has put a hook in place of the system's write.
bool SystemWritesInForce() {
  auto* target = CurrentHooks().Write.target<ssize_t (*)(int, const void*, std::size_t)>();
  return target != nullptr && *target == &SystemWrite;
}

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = CurrentHooks().Write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowSystemError(errno);
    }
    if (n == 0) ThrowSystemError(ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

Hooks& CurrentHooks() {
  static Hooks hooks = DefaultHooks();
  return hooks;
}

void ResetHooks() {
  CurrentHooks() = DefaultHooks();
}

void ThrowSystemError(int error) {
  throw std::system_error(error, std::generic_category());
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::uint64_t FileLength(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) ThrowSystemError(errno);
  return static_cast<std::uint64_t>(info.st_size);
}

std::string ResolvedPath(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string result(resolved);
  std::free(resolved);
  return result;
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
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

int Descriptor::Release() {
  return std::exchange(fd_, -1);
}

void Descriptor::Close() {
  int fd = Release();
  if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) ThrowSystemError(errno);
}

Descriptor OpenForReading(const std::string& path) {
  // O_NONBLOCK keeps a FIFO from holding the open; it is refused just below anyway.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file.IsOpen()) ThrowSystemError(errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) ThrowSystemError(errno);
  if (S_ISDIR(info.st_mode)) ThrowSystemError(EISDIR);
  if (!S_ISREG(info.st_mode)) ThrowSystemError(EINVAL);
  int flags = ::fcntl(file.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK);
  return file;
}

std::size_t ReadSome(const Descriptor& file, char* buffer, std::size_t size) {
  for (;;) {
    ssize_t n = CurrentHooks().Read(file.Get(), buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) ThrowSystemError(errno);
  }
}

std::string ReadRange(const Descriptor& file, std::uint64_t offset, std::size_t size) {
  if (::lseek(file.Get(), static_cast<off_t>(offset), SEEK_SET) < 0) ThrowSystemError(errno);
  std::string bytes(size, '\0');
  std::size_t got = 0;
  while (got < size) {
    std::size_t n = ReadSome(file, bytes.data() + got, size - got);
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

std::string ReadWholeFile(const std::string& path) {
  Descriptor file = OpenForReading(path);
  std::string bytes;
  char block[64 * 1024];
  for (;;) {
    std::size_t n = ReadSome(file, block, sizeof block);
    if (n == 0) break;
    bytes.append(block, n);
  }
  return bytes;
}

OutputFile::~OutputFile() {
  if (!IsOpen()) return;
  try {
    Flush();
  } catch (...) {
    // Nobody is left to tell; Flush has already cut the file back to its last whole line.
  }
}

void OutputFile::Open(const std::string& path, Mode mode) {
  int flags = O_WRONLY | O_CLOEXEC;
  switch (mode) {
    case Mode::CreateNew:
      flags |= O_CREAT | O_EXCL;
      break;
    case Mode::Append:
      flags |= O_APPEND;
      break;
    case Mode::Truncate:
      flags |= O_CREAT | O_TRUNC;
      break;
  }
  Descriptor file(::open(path.c_str(), flags, 0666));
  if (!file.IsOpen()) ThrowSystemError(errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) ThrowSystemError(errno);
  if (!S_ISREG(info.st_mode)) ThrowSystemError(EINVAL);
  file_ = std::move(file);
  path_ = path;
  buffer_.clear();
  flushedSize_ = static_cast<std::uint64_t>(info.st_size);
}

void OutputFile::WriteLine(std::string_view line) {
  buffer_.append(line);
  buffer_.append("\r\n");
  if (buffer_.size() >= kFlushThreshold) Flush();
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  try {
    int error = SystemWritesInForce() ? WriteSurvivingKill(file_.Get(), buffer_) : kNoChild;
    if (error == kNoChild) {
      WriteAll(file_.Get(), buffer_);
    } else if (error != 0) {
      ThrowSystemError(error);
    }
  } catch (...) {
    // Whatever part of the buffer reached the file is taken back, so the file ends with a whole
    // line; the buffer is given up with the failure.
    (void)::ftruncate(file_.Get(), static_cast<off_t>(flushedSize_));
    buffer_.clear();
    throw;
  }
  flushedSize_ += buffer_.size();
  buffer_.clear();
}

void OutputFile::Close() {
  if (!IsOpen()) return;
  try {
    Flush();
  } catch (...) {
    file_ = Descriptor();
    throw;
  }
  file_.Close();
}

void ReplaceFile(const std::string& path, std::string_view content) {
  std::string temporary = FolderOf(path) + "/.tolvanex-XXXXXX";
  Descriptor file(::mkstemp(temporary.data()));
  if (!file.IsOpen()) ThrowSystemError(errno);
  try {
    // A replaced file keeps its permissions; a new one gets the usual ones for the user.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
      mode = old.st_mode & 07777;
    } else {
      mode_t mask = ::umask(0);
      ::umask(mask);
      mode = 0666 & ~mask;
    }
    if (::fchmod(file.Get(), mode) != 0) ThrowSystemError(errno);
    WriteAll(file.Get(), content);
    if (CurrentHooks().Fsync(file.Get()) != 0) ThrowSystemError(errno);
    file.Close();
    if (::rename(temporary.c_str(), path.c_str()) != 0) ThrowSystemError(errno);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
}

}  // namespace tolvanex::io
