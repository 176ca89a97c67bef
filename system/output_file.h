// A text file being written line by line. Output is buffered and reaches the file only in whole
// lines: when a write fails part way, the file is cut back to the last whole line it held before
// that write, and the lines of the failed write are given up. Readings written through it are
// counted only once their lines have reached the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "system/file_io.h"

namespace tolvanex::io {

class OutputFile {
 public:
  OutputFile() = default;
  // Writes at the end of the open file.
  explicit OutputFile(File file);
  // The same for a file known to hold size bytes (a file just made holds none), and whose
  // identity may be known: neither takes a look at the file.
  OutputFile(File file, std::uint64_t size, std::optional<FileIdentity> identity = std::nullopt);
  OutputFile(OutputFile&&) noexcept = default;
  OutputFile& operator=(OutputFile&&) noexcept = default;
  // Flushes what it can and closes; failures at this point cannot be reported.
  ~OutputFile();

  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Path() const { return file_.Path(); }
  // Bytes in the file, buffered ones included.
  std::uint64_t Size() const { return flushedSize_ + buffer_.size(); }
  File& Handle() { return file_; }
  // What tells the file from any other: known from the last look at the file, or looked up now.
  FileIdentity Identity();
  std::optional<FileIdentity> KnownIdentity() const { return identity_; }

  // Appends the line and its CR LF.
  void WriteLine(std::string_view line);
  // The same for a reading's line, which is added to the counter (CountReadingsIn) when it
  // reaches the file.
  void WriteReading(std::string_view line);
  // The counters go up together: a run's and a file's own, say.
  void CountReadingsIn(std::int64_t* counter, std::int64_t* alsoIn = nullptr) {
    readingsCounter_ = counter;
    alsoCounter_ = alsoIn;
  }
  // From now on the file is to be the one under its name: a close that finds another file (or
  // none) under its name throws NameLost, and the readings it counted are taken back. Lines
  // written to a file that lost its name reach nobody. (A look at every flush would cost a
  // system call for every few lines of a run with thousands of files.)
  void KeepToItsName() { keepToName_ = true; }

  void Flush();
  // Lines are written to the file once this many bytes wait in the buffer; each flush is one
  // write of whole lines. The buffer takes about this much memory too: the threshold and room for
  // the line that reaches it (more only for a longer line, until the flush).
  void SetFlushThreshold(std::size_t bytes);
  static constexpr std::size_t kRoomForALine = 256;
  std::size_t BufferMemory() const { return buffer_.capacity(); }
  // Throws NameLost when the file is to keep to its name and no longer has it, and
  // FileShortened when another program has cut it; its readings are then taken back from the
  // counters. Returns the state of the file that the check saw. For a file that keeps to its
  // name that is one look at the name: the file found under it, when it is this one, tells its
  // length as well.
  FileState CheckName();
  // Flushes and has the system write the file back to the disk.
  void FlushToDisk();
  // Flushes, has the file written back to the disk unless someone else sees to that (a
  // WriteBack), and closes; a failure is thrown, and the file is closed all the same.
  void Close(bool writeBack = true);
  // Closes without a word, after a failure has been reported.
  void Abandon();

 private:
  void Count(std::int64_t readings);
  // Room in the buffer for adding bytes more.
  void MakeRoom(std::size_t adding);
  // Moves what the buffer holds into memory of the size given (or of its size, when larger).
  void Reallocate(std::size_t capacity);
  [[noreturn]] void LoseName();
  // Throws FileShortened, with the readings taken back, when the file holds fewer bytes than
  // have reached it: another program has cut it. A look at the file tells its size, but for a
  // file that is to hold no bytes yet; the second form takes the size from a look just made.
  void CheckLength();
  void CheckLength(std::uint64_t size);

  // What a buffer takes at its first growth, at most.
  static constexpr std::size_t kFirstRoom = 4096;

  File file_;
  std::string buffer_;
  std::size_t flushThreshold_ = 256 * 1024;
  std::uint64_t flushedSize_ = 0;
  std::optional<FileIdentity> identity_;
  std::int64_t bufferedReadings_ = 0;
  std::int64_t countedReadings_ = 0;
  std::int64_t* readingsCounter_ = nullptr;
  std::int64_t* alsoCounter_ = nullptr;
  bool synced_ = true;
  bool keepToName_ = false;
};

}  // namespace tolvanex::io
