// The text files that a run has open. A run writes to the same few files reading after reading;
// each stays open for the length of the run together with the date its last dated line reads
// back as, so that a reading costs neither an open nor a read-back of the file's end. The files
// end up with exactly the bytes they would get if every reading opened its file, read the last
// date back and closed it again; every file is closed when the run ends or fails.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "system/output_file.h"

namespace tolvanex {

struct OpenTextFile {
  io::OutputFile File;
  // What the file's last dated line reads back as; no value after a line that the run cannot
  // read back for certain, so that the file itself must be read.
  std::optional<double> LastDate;
  io::FileIdentity Identity;
};

class TextFileCache {
 public:
  // Beyond this many, the files are all closed before another is opened; each may hold a write
  // buffer of up to 256 KiB.
  static constexpr std::size_t kMostOpen = 32;

  OpenTextFile* Find(const std::string& path);
  bool Full() const { return files_.size() >= kMostOpen; }
  // True when one of the open files is the file at path under another name (a link).
  bool HoldsFileAt(const std::string& path) const;
  // Keeps an open file; the file's identity is taken from the file system.
  OpenTextFile& Add(const std::string& path, io::OutputFile file, std::optional<double> lastDate);
  // Forgets a file after a failure; what can still be written goes to it without a report.
  void Drop(const std::string& path);

  // Closes every file, even after one fails. The first failure is rethrown afterwards, with the
  // path of its file in failedPath.
  void CloseAll(std::string& failedPath);

 private:
  std::unordered_map<std::string, OpenTextFile> files_;
};

}  // namespace tolvanex
