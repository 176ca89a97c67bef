// The small file layer. Every byte the program reads or writes passes through the hooks below, so
// that tests can make a write fail half way (disk full) or a read fail in the middle of a run.
// Operating-system failures are thrown as std::system_error carrying the system's own message.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tolvanex::io {

struct Hooks {
  std::function<ssize_t(int fd, void* buffer, std::size_t size)> Read;
  std::function<ssize_t(int fd, const void* buffer, std::size_t size)> Write;
  std::function<int(int fd)> Fsync;
};

// The hooks in force; the defaults call the system directly.
Hooks& CurrentHooks();
void ResetHooks();

[[noreturn]] void ThrowSystemError(int error);

// True for a regular file (links followed); false for a folder, a device or nothing.
bool IsRegularFile(const std::string& path);
// Length in bytes of an existing file; throws when it cannot be read.
std::uint64_t FileLength(const std::string& path);

// The path with every link followed, or the path as given when it names nothing yet.
std::string ResolvedPath(const std::string& path);

// Whether the content of the file at path may be replaced: Missing when nothing is there,
// Allowed for a regular file that this user may write, Refused for anything else. A file
// without any write bit counts as read-only, even for a user whom the system lets write anyway.
enum class WriteAccess { Missing, Allowed, Refused };
WriteAccess WriteAccessTo(const std::string& path);

// What tells one file from another, whatever its names.
struct FileIdentity {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
// The identity of the file at path (links followed); no value when there is none.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// An open file descriptor, closed when the object ends.
class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(other.Release()) {}
  Descriptor& operator=(Descriptor&& other) noexcept;
  ~Descriptor();
  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  int Release();
  // Closes and reports a failure of the close itself.
  void Close();

 private:
  int fd_ = -1;
};

// Opens a regular file for reading; a folder, a device or a FIFO is refused without blocking.
Descriptor OpenForReading(const std::string& path);
// Reads up to size bytes; 0 at the end of the file.
std::size_t ReadSome(const Descriptor& file, char* buffer, std::size_t size);
// Reads size bytes from offset (fewer at the end of the file).
std::string ReadRange(const Descriptor& file, std::uint64_t offset, std::size_t size);
std::string ReadWholeFile(const std::string& path);

// A text file being written. Output is buffered and reaches the file only in whole lines: when a
// write fails part way, the file is cut back to the last whole line it held before that write.
class OutputFile {
 public:
  enum class Mode {
    CreateNew,  // fails when the name exists, whatever the file is
    Append,     // an existing file, written at its end
    Truncate,   // created, or emptied when it exists
  };

  OutputFile() = default;
  OutputFile(OutputFile&&) noexcept = default;
  OutputFile& operator=(OutputFile&&) noexcept = default;
  // Flushes what it can and closes; failures at this point cannot be reported.
  ~OutputFile();

  void Open(const std::string& path, Mode mode);
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Path() const { return path_; }
  // Bytes in the file, buffered ones included.
  std::uint64_t Size() const { return flushedSize_ + buffer_.size(); }

  // Appends the line and its CR LF.
  void WriteLine(std::string_view line);
  void Flush();
  void Close();

 private:
  // Each flush is one write of whole lines; see WriteSurvivingKill.
  static constexpr std::size_t kFlushThreshold = 256 * 1024;

  Descriptor file_;
  std::string path_;
  std::string buffer_;
  std::uint64_t flushedSize_ = 0;
};

// Replaces the file's content as a whole: the content goes to a new temporary file in the same
// folder, which is flushed to disk and renamed over the old one. On any failure the old file stays
// exactly as it was and the temporary file is removed.
void ReplaceFile(const std::string& path, std::string_view content);

}  // namespace tolvanex::io
