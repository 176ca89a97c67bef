// The file layer: every byte the program reads or writes passes through here. Operating-system
// failures are thrown as std::system_error carrying the system's own message, and compare equal
// to the std::errc they stand for on either side. Tests put a fault hook in place to make any
// open, read, write, flush to disk or rename fail, or a write stop half way as on a full disk, on
// the same path that the program takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvanex::io {

// ---------------------------------------------------------------------------------------------
// Faults for tests.

enum class FileOperation { Open, Read, Write, Sync, Rename, Close };

struct Fault {
  int Error = 0;  // an error number of <cerrno> to fail with; 0 lets the call go on
  // For a write: the bytes that reach the file before it fails with Error.
  std::size_t BytesLetThrough = static_cast<std::size_t>(-1);
};

// Asked before every operation on a file (a close: after it, since a failing close leaves the
// file closed all the same), with the file's path (for a rename: the new name) and, for a read
// or a write, its size.
using FaultHook =
    std::function<Fault(FileOperation operation, const std::string& path, std::size_t size)>;
void SetFaultHook(FaultHook hook);
void ResetFaultHook();

// ---------------------------------------------------------------------------------------------
// Failures.

[[noreturn]] void ThrowSystemError(int error);

// An output file's name that holds anything but a regular file (a symbolic link, a folder, a
// device; on POSIX a FIFO or a socket too): the file layer never writes through it, and never
// blocks on it.
class NotRegularFile : public std::runtime_error {
 public:
  NotRegularFile() : std::runtime_error("Not a regular file") {}
};

// A file kept open while its name was removed, or given to another file: what is written to it
// would reach no file under that name.
class NameLost : public std::runtime_error {
 public:
  NameLost() : std::runtime_error("The file was removed or replaced while it was being written") {}
};

// A file that another program cut shorter than what was written to it: lines that counted as
// written are gone.
class FileShortened : public std::runtime_error {
 public:
  FileShortened() : std::runtime_error("The file was shortened while it was being written") {}
};

// ---------------------------------------------------------------------------------------------
// Names.

// True for a regular file (links followed); false for a folder, a device or nothing.
bool IsRegularFile(const std::string& path);
// True when anything at all stands under the name: a file, a folder, a link (even a dangling
// one) or a special file.
bool NameIsTaken(const std::string& path);
// Length in bytes of an existing file; throws when it cannot be read.
std::uint64_t FileLength(const std::string& path);
// The path with every link followed, the last one even when it points to nothing yet; the path
// as given when it cannot be followed.
std::string ResolvedPath(const std::string& path);

// Whether the content of the file at path may be replaced: Missing when nothing is there,
// Allowed for a regular file that this user may write, Refused for anything else. A file marked
// read-only (no write permission bit on POSIX, the read-only attribute on Windows) is refused,
// even for a user whom the system lets write anyway.
enum class WriteAccess { Missing, Allowed, Refused };
WriteAccess WriteAccessTo(const std::string& path);

// What tells one file from another, whatever its names (the device and inode on POSIX, the
// volume's serial number and the file's index on Windows), and what tells its versions apart.
struct FileIdentity {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
struct FileState {
  FileIdentity Identity;
  std::uint64_t Size = 0;
  std::int64_t ModifiedNanoseconds = 0;
  std::uint64_t Names = 1;  // 0 once the file has no name left
  friend bool operator==(const FileState&, const FileState&) = default;
};
// The identity and state of the file at path (links followed); no value when there is none.
std::optional<FileIdentity> IdentityOf(const std::string& path);
std::optional<FileState> StateOf(const std::string& path);

// ---------------------------------------------------------------------------------------------
// Open files.

class File {
 public:
  File() = default;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  bool IsOpen() const { return handle_ != kNoHandle; }
  const std::string& Path() const { return path_; }
  FileState State() const;

  // Up to size bytes from the current position; 0 at the end of the file.
  std::size_t ReadSome(char* buffer, std::size_t size);
  // Up to size bytes from offset (fewer at the end of the file).
  std::string ReadRange(std::uint64_t offset, std::size_t size);
  // Every byte, or a failure after some of them.
  void WriteAll(std::string_view bytes);
  // Every byte as one piece at the end of a file opened for appending, never cut into or
  // overwritten by another program appending to the same file at the same moment.
  void AppendWhole(std::string_view bytes);
  void TruncateTo(std::uint64_t size);
  // What was written reaches the disk; a failure to write it back shows here.
  void SyncToDisk();
  // A lock on the file that only other lockers heed (the file's bytes stay open to readers), for
  // as long as it stays open in this process; the system drops it when the process ends, however
  // it ends.
  bool TryLock();
  void Close();

  // The system's handle: a descriptor, or a handle cast to an integer. Release gives it up
  // without closing it; Adopt takes one over, with the path it was opened by.
  std::intptr_t Native() const { return handle_; }
  std::intptr_t Release() { return std::exchange(handle_, kNoHandle); }
  static File Adopt(std::intptr_t handle, std::string path);

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  // Closes the system's handle without a word; each side of the seam has its own.
  static void CloseNative(std::intptr_t handle) noexcept;
  // Moves the position for the next read to offset from the start.
  void SeekTo(std::uint64_t offset);
  std::intptr_t handle_ = kNoHandle;
  std::string path_;
};

// A regular file for reading; a folder, a device or a FIFO is refused without blocking.
File OpenForReading(const std::string& path);
// The same, with the state of the file as it was opened: on POSIX from the one look that tells
// that it is a regular file.
File OpenForReading(const std::string& path, FileState& state);
// A new file under a name that nothing holds yet; throws std::errc::file_exists otherwise. Never
// through a link, whatever the link points to.
File CreateNewFile(const std::string& path);
// The same, every write going to the end of the file, wherever another program has put it.
File CreateNewFileToAppend(const std::string& path);
// An existing regular file, every write going to its end. Anything else under the name is
// refused with NotRegularFile, without blocking.
File OpenForAppending(const std::string& path);
// The same, with the state of the file as it was opened: on POSIX from the one look that tells
// that it is a regular file.
File OpenForAppending(const std::string& path, FileState& state);
// The file, every write going to its end: made when nothing holds the name, never emptied, so
// that a file another program makes meanwhile is taken as it is.
File CreateOrAppend(const std::string& path);
// The same, telling which it was: existing holds the state of a file that was there, as it was
// opened, and no value for a file just made, which is empty.
File CreateOrAppend(const std::string& path, std::optional<FileState>& existing);
// A file to lock against another run: created when missing, never emptied.
File OpenLockFile(const std::string& path);
// Every byte of a file that OpenForReading opens.
std::string ReadWholeFile(const std::string& path);

// Many files written back to the disk in one go: the folders they are written in are watched
// from before the first write, and Finish has the system write back what was written in them
// and reports a failure to do so that happened at any time since. Where the system can (POSIX),
// that is one write-back of each file system, which costs no more than one of a single file,
// where thousands of files one by one would take seconds; elsewhere (Windows) it is each file of
// the folders written since the watch began.
class WriteBack {
 public:
  WriteBack();
  WriteBack(WriteBack&&) noexcept;
  WriteBack& operator=(WriteBack&&) noexcept;
  ~WriteBack();

  // Before the first write into a file of the folder.
  void Watch(const std::string& folder);
  // Writes back what was written in the watched folders; a failure is thrown with the folder in
  // failedFolder. Nothing is watched afterwards.
  void Finish(std::string& failedFolder);

 private:
  struct Watched;
  std::vector<Watched> watched_;
};

// ---------------------------------------------------------------------------------------------
// Temporary files. They are hidden, named ".tolvanex-" + their kind + "-" and six characters,
// and locked while their writer has them open, so that a later run knows those left behind by a
// run that was killed.

inline constexpr std::string_view kTemporaryPrefix = ".tolvanex-";

// A new temporary file of a kind in a folder ("" is the current folder), locked.
File CreateTemporary(const std::string& folder, std::string_view kind);
// Gives the temporary its name, never replacing a file that holds the name: throws
// std::errc::file_exists then, and the temporary keeps its own name.
void PublishTemporary(File& temporary, const std::string& path);
// Closes a temporary that is not to be published and removes it.
void DiscardTemporary(File& temporary);
// Removes the temporaries of a kind in a folder that no process holds and that are older than a
// few minutes.
void RemoveStaleTemporaries(const std::string& folder, std::string_view kind);
// Replaces the file's content as a whole: the content goes to a temporary of the kind in the
// folder of the file, which is flushed to disk and renamed over the old file, keeping the old
// file's permissions (on POSIX its mode, and owner and group where the process may; on Windows
// its access rules and attributes). A link is followed to the file it names; a name that holds
// anything but a regular file is refused with NotRegularFile. On any failure the old file stays
// exactly as it was and the temporary is removed.
void ReplaceWholeFile(const std::string& path, std::string_view content, std::string_view kind);
// The same for a content that writeContent writes to the temporary in parts, so that a large one
// is never held whole; a failure it throws counts as any other.
void ReplaceWholeFileWith(const std::string& path, const std::function<void(File&)>& writeContent,
                          std::string_view kind);

// The folder of a path for the file layer: "." for a bare name.
std::string FolderOfPath(const std::string& path);

}  // namespace tolvanex::io
