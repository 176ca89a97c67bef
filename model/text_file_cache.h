// The text files that a run has open. A run writes to the same few files reading after reading;
// each stays open for the length of the run together with the date its last dated line reads
// back as, so that a reading costs neither an open nor a read-back of the file's end. The files
// end up with exactly the bytes they would get if every reading opened its file, read the last
// date back and closed it again; every file is closed when the run ends or fails.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <unordered_map>

#include "system/output_file.h"

namespace tolvanex {

// What a run did with one text file: the readings that reached it, and those it skipped as not
// newer than the file's last line.
struct TextFileTally {
  std::int64_t Appended = 0;
  std::int64_t Skipped = 0;
};

struct OpenTextFile {
  // What this run did with the file while it was open; added to the run's tallies at its close.
  // (Before File, which counts into it to its end.)
  TextFileTally Tally;
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

  // What the run did with each text file, by path, for the files closed so far.
  const std::map<std::string, TextFileTally>& Tallies() const { return tallies_; }
  void ClearTallies() { tallies_.clear(); }

  // Closes every file, even after one fails. The first failure is rethrown afterwards, with the
  // path of its file in failedPath.
  void CloseAll(std::string& failedPath);

 private:
  void KeepTally(const std::string& path, const OpenTextFile& file);

  std::unordered_map<std::string, OpenTextFile> files_;
  std::map<std::string, TextFileTally> tallies_;
};

}  // namespace tolvanex
