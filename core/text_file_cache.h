// The text files that a run has open. A run writes to the same few files reading after reading;
// each stays open for the length of the run together with the date its last dated line reads
// back as, so that a reading costs neither an open nor a read-back of the file's end. The files
// end up with exactly the bytes they would get if every reading opened its file, read the last
// date back and closed it again; every file is closed when the run ends or fails.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <unordered_map>

#include "core/file_io.h"

namespace tolvanex {

class Frm_Tolvanex;

struct OpenTextFile {
  io::OutputFile File;
  // What the file's last dated line reads back as; no value after a line that this cache
  // cannot read back for certain, so that the file itself must be read.
  std::optional<double> LastDate;
  dev_t Device = 0;
  ino_t Inode = 0;
};

class TextFileCache {
 public:
  // Beyond this many, the files are all closed before another is opened; each may hold a write
  // buffer of up to 256 KiB.
  static constexpr std::size_t kMostOpen = 32;

  OpenTextFile* Find(const std::string& path);
  bool Full() const { return files_.size() >= kMostOpen; }
  bool Empty() const { return files_.empty(); }
  // True when one of the open files is the file at path under another name (a link).
  bool HoldsFileAt(const std::string& path) const;
  // Keeps an open file; the file's identity is taken from the file system.
  OpenTextFile& Add(const std::string& path, io::OutputFile file, std::optional<double> lastDate);
  // Forgets a file after a failure; what can still be written goes to it without a report.
  void Drop(const std::string& path);
  // What LastDateInFile would find after the line was appended to a file whose last date was
  // known: the line's first field read as a date. No value when that is not certain: the line
  // holds a line break of its own, is too long for a quick answer, or has no date in front.
  // The readings of a minute share their date text, which is read only once.
  std::optional<double> LastDateAfterLine(std::string_view line, std::optional<double> dateBefore,
                                          const Frm_Tolvanex& form);

  // Closes every file, even after one fails. The first failure is rethrown afterwards, with the
  // path of its file in failedPath.
  void CloseAll(std::string& failedPath);

 private:
  std::unordered_map<std::string, OpenTextFile> files_;
  std::optional<std::string> lastDateText_;  // the last date text read back, and its value
  std::optional<double> lastDateValue_;
};

}  // namespace tolvanex
