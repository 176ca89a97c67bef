#include "system/output_file.h"

#include <algorithm>
#include <utility>

namespace tolvanex::io {

OutputFile::OutputFile(File file) : file_(std::move(file)) {
  FileState state = file_.State();
  flushedSize_ = state.Size;
  identity_ = state.Identity;
}

OutputFile::OutputFile(File file, std::uint64_t size, std::optional<FileIdentity> identity)
    : file_(std::move(file)), flushedSize_(size), identity_(identity) {}

OutputFile::~OutputFile() {
  if (!IsOpen()) return;
  try {
    Flush();
  } catch (...) {
    // Nobody is left to tell; Flush has already cut the file back to its last whole line.
  }
}

void OutputFile::WriteLine(std::string_view line) {
  MakeRoom(line.size() + 2);
  buffer_.append(line);
  buffer_.append("\r\n");
  if (buffer_.size() >= flushThreshold_) Flush();
}

void OutputFile::MakeRoom(std::size_t adding) {
  std::size_t needed = buffer_.size() + adding;
  if (needed <= buffer_.capacity()) return;
  // A string doubles its memory at every growth, past the threshold too, so that a buffer would
  // take up to twice its threshold; this one doubles up to its threshold and room for the line
  // that reaches it, and grows further only for a longer line.
  std::size_t doubled = std::max(2 * buffer_.capacity(), kFirstRoom);
  Reallocate(std::max(needed, std::min(doubled, flushThreshold_ + kRoomForALine)));
}

void OutputFile::Reallocate(std::size_t capacity) {
  std::string moved;
  moved.reserve(std::max(capacity, buffer_.size()));
  moved.append(buffer_);
  buffer_.swap(moved);
}

void OutputFile::SetFlushThreshold(std::size_t bytes) {
  flushThreshold_ = bytes;
  // Memory taken for a larger threshold is given back.
  if (buffer_.capacity() > bytes + kRoomForALine) Reallocate(bytes + kRoomForALine);
}

void OutputFile::WriteReading(std::string_view line) {
  ++bufferedReadings_;
  WriteLine(line);
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  // Appended to a file that another program has cut, the lines would follow a part of a line.
  CheckLength();
  try {
    file_.WriteAll(buffer_);
  } catch (...) {
    // Whatever part of the buffer reached the file is taken back, so the file ends with a whole
    // line; the buffer and the readings in it are given up with the failure. (Never made longer:
    // that would fill it with zeros.)
    try {
      if (file_.State().Size > flushedSize_) file_.TruncateTo(flushedSize_);
    } catch (...) {
      // The write's own failure is the one to report.
    }
    buffer_.clear();
    bufferedReadings_ = 0;
    throw;
  }
  synced_ = false;
  flushedSize_ += buffer_.size();
  buffer_.clear();
  // Memory taken for a long line is given back.
  if (buffer_.capacity() > flushThreshold_ + kRoomForALine) std::string().swap(buffer_);
  Count(bufferedReadings_);
  bufferedReadings_ = 0;
}

FileIdentity OutputFile::Identity() {
  if (!identity_) identity_ = file_.State().Identity;
  return *identity_;
}

FileState OutputFile::CheckName() {
  if (!keepToName_) {
    FileState state = file_.State();
    identity_ = state.Identity;
    CheckLength(state.Size);
    return state;
  }
  std::optional<FileState> named = StateOf(file_.Path());
  if (!named || named->Identity != Identity()) LoseName();
  CheckLength(named->Size);
  return *named;
}

void OutputFile::CheckLength() {
  // A file that held nothing, and that nothing has reached yet, has nothing to lose to a cut.
  if (flushedSize_ == 0) return;
  FileState state = file_.State();
  identity_ = state.Identity;
  CheckLength(state.Size);
}

void OutputFile::CheckLength(std::uint64_t size) {
  if (size >= flushedSize_) return;
  // Which of the file's lines are left is not known: none of its readings counts as posted.
  Count(-countedReadings_);
  buffer_.clear();
  bufferedReadings_ = 0;
  throw FileShortened();
}

void OutputFile::Count(std::int64_t readings) {
  countedReadings_ += readings;
  if (readingsCounter_ != nullptr) *readingsCounter_ += readings;
  if (alsoCounter_ != nullptr) *alsoCounter_ += readings;
}

void OutputFile::LoseName() {
  // None of its readings may count as posted: none is in a file under its name for certain.
  Count(-countedReadings_);
  throw NameLost();
}

void OutputFile::FlushToDisk() {
  Flush();
  CheckName();
  if (synced_) return;
  file_.SyncToDisk();
  synced_ = true;
}

void OutputFile::Close(bool writeBack) {
  if (!IsOpen()) return;
  try {
    if (writeBack) {
      FlushToDisk();
    } else {
      Flush();
      CheckName();
    }
  } catch (...) {
    Abandon();
    throw;
  }
  try {
    file_.Close();
  } catch (...) {
    // Every line reached the file before, and the disk (here, or by the write-back that sees to
    // it, which reports its own failures): a close that fails takes nothing away.
  }
}

void OutputFile::Abandon() {
  buffer_.clear();
  bufferedReadings_ = 0;
  file_ = File();
}

}  // namespace tolvanex::io
