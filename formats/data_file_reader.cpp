#include "formats/data_file_reader.h"

#include <algorithm>
#include <cstring>

#include "base/errors.h"
#include "formats/line_splitter.h"

namespace tolvanex {

DataFileReader::DataFileReader(const std::string& path, std::size_t blockSize)
    : file_(io::OpenForReading(path)), buffer_(std::max<std::size_t>(blockSize, 16)) {
  size_ = file_.State().Size;
}

// Moves the bytes not yet taken to the front, grows the buffer when a line fills it, and reads
// the next block. False when nothing more could be read.
bool DataFileReader::Refill() {
  if (endOfFile_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) {
    if (buffer_.size() > kMaximumLineLength) throw Failure(kLineTooLong);
    buffer_.resize(std::min(buffer_.size() * 2, kMaximumLineLength + 1));
  }
  std::size_t n = file_.ReadSome(buffer_.data() + end_, buffer_.size() - end_);
  if (n == 0) {
    endOfFile_ = true;
    if (read_ < size_) shrank_ = true;
    return false;
  }
  end_ += n;
  read_ += n;
  // A look at each block: a file cut and written again under the reader is caught too.
  if (file_.State().Size < read_) shrank_ = true;
  return true;
}

bool DataFileReader::ReadLine(std::string_view& line) {
  if (skipLineFeed_) {
    if (begin_ == end_) Refill();
    if (begin_ < end_ && buffer_[begin_] == '\n') {
      ++begin_;
      ++consumed_;
    }
    skipLineFeed_ = false;
  }
  std::size_t searched = begin_;
  for (;;) {
    std::size_t at = FindLineBreak(std::string_view(buffer_.data(), end_), searched);
    if (at != std::string_view::npos) {
      if (at - begin_ > kMaximumLineLength) throw Failure(kLineTooLong);
      line = std::string_view(buffer_.data() + begin_, at - begin_);
      skipLineFeed_ = buffer_[at] == '\r';
      consumed_ += at + 1 - begin_;
      begin_ = at + 1;
      return true;
    }
    std::size_t pending = end_ - begin_;
    if (pending > kMaximumLineLength) throw Failure(kLineTooLong);
    if (!Refill()) {
      if (begin_ == end_) return false;
      line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      consumed_ += end_ - begin_;
      begin_ = end_;
      return true;
    }
    searched = begin_ + pending;
  }
}

}  // namespace tolvanex
