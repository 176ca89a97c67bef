// Reads the data file line by line in large blocks. CR LF, a lone CR and a lone LF each end a
// line; a last line without an end is read too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "system/file_io.h"

namespace tolvanex {

class DataFileReader {
 public:
  // A line longer than this is a failure of the run rather than read whole.
  static constexpr std::size_t kMaximumLineLength = 64u * 1024 * 1024;

  // Opens a regular file for reading; throws when it cannot.
  explicit DataFileReader(const std::string& path, std::size_t blockSize = 1u << 20);

  // The next line without its end, valid until the next call; false at the end of the file.
  bool ReadLine(std::string_view& line);
  // Bytes of the file taken so far, line ends included.
  std::uint64_t BytesRead() const { return consumed_; }
  std::uint64_t Size() const { return size_; }
  // True once the file has been seen shorter than what was read of it, or its end came before
  // its size at the open: another program cut or rewrote it while it was read, and lines of it
  // were never read.
  bool Shrank() const { return shrank_; }
  void Close() { file_.Close(); }

 private:
  bool Refill();

  io::File file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first byte not yet taken
  std::size_t end_ = 0;    // one past the last byte read into the buffer
  bool endOfFile_ = false;
  bool skipLineFeed_ = false;  // the last line ended in CR: an LF right after it belongs to it
  std::uint64_t consumed_ = 0;
  std::uint64_t size_ = 0;
  std::uint64_t read_ = 0;  // bytes read from the file
  bool shrank_ = false;
};

}  // namespace tolvanex
