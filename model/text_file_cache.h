// The text files that a run writes to. A run writes to the same files reading after reading;
// each stays open together with the date its last dated line reads back as, so that a reading
// costs neither an open nor a read-back of the file's end. As many stay open as the process may
// have; beyond that the one used longest ago is closed, and what the run knows of it (its last
// date, and its size and modification time, to tell whether anybody changed it since) lets it be
// opened again later without reading its end. The files end up with exactly the bytes they would
// get if every reading opened its file, read the last date back and closed it again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/path_table.h"
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
  // Known once the file is among the open files by identity (see CloseOtherNameOf).
  std::optional<io::FileIdentity> Identity;
  std::list<std::string>::iterator Use;  // its place among the files by their last use
};

class TextFileCache {
 public:
  // The write buffers of all open files together stay within about this (8/7 of it at most),
  // whatever their number; each file's buffer lies between the two bounds below. (Beyond 2 048
  // files the smallest buffer takes them over the budget: 2 KiB each, half the writes of 1 KiB
  // in about the memory that 1 KiB took when a buffer could grow to twice its share.)
  static constexpr std::size_t kBufferBudget = 4u << 20;
  static constexpr std::size_t kLargestBuffer = 256u << 10;
  static constexpr std::size_t kSmallestBuffer = 2u << 10;
  // Up to this many files written in a run are written back to the disk one by one at its end;
  // more, with their whole file systems in one go.
  static constexpr std::size_t kWrittenBackOneByOne = 64;

  // The open file of a path, then the most recently used; nullptr when it is not open.
  OpenTextFile* Find(const std::string& path);
  // Before a file is opened: when no more files may be open, the one used longest ago is closed.
  // A failure at the close is thrown with the path of its file in failedPath.
  void MakeRoom(std::string& failedPath);
  // After a file that was there already is opened at path: when one of the open files is the
  // same file under another name (a link), it is closed, so that the file on disk holds
  // everything before it is read. True when one was; a failure at the close is thrown as by
  // MakeRoom. (A file just made cannot be one of the open files, and needs no such look.)
  bool CloseOtherNameOf(const std::string& path, const io::FileIdentity& identity,
                        std::string& failedPath);
  // Keeps an open file, the most recently used.
  OpenTextFile& Add(const std::string& path, io::OutputFile file, std::optional<double> lastDate);
  // The last date of a file that this run closed to make room, when the file is still exactly as
  // the run left it: state is what the file is now.
  std::optional<double> KnownLastDate(const std::string& path, const io::FileState& state) const;
  // Forgets a file after a failure; what can still be written goes to it without a report.
  void Drop(const std::string& path);

  // What the run did with each text file, by path, for the files closed so far.
  const std::map<std::string, TextFileTally>& Tallies() const { return tallies_; }
  void ClearTallies() { tallies_.clear(); }

  // How many files may be open at once; by default as many as the process may open, less a few
  // for everything else. For tests.
  void SetMostOpen(std::size_t mostOpen) { mostOpen_ = mostOpen; }
  std::size_t OpenCount() const { return files_.size(); }

  // Closes every file, even after one fails, and has every file of the run written back to the
  // disk. The first failure is rethrown afterwards, with the path of its file (or, when many
  // files were written back together, of their folder) in failedPath.
  void CloseAll(std::string& failedPath);

 private:
  // What the run knows of a file it closed to make room.
  struct ClosedTextFile {
    std::optional<double> LastDate;
    io::FileState State;
  };

  std::size_t MostOpen();
  // Closes an open file, flushed (it is written back with the others at the run's end), and
  // keeps what the run knows of it. Throws, with the file forgotten, when the flush fails.
  void Close(std::unordered_map<std::string, OpenTextFile>::iterator open);
  void KeepTally(const std::string& path, const OpenTextFile& file);
  // Takes a file out of the indexes, once it is closed.
  void Forget(std::unordered_map<std::string, OpenTextFile>::iterator open);
  // Each file's share of the buffer budget, for the number of files open.
  void ShareBuffers();
  // Puts the open files added since the last time among the files by identity: their
  // identities are asked for only when a file that was there already is opened. A failure is
  // thrown with the path of its file in failedPath.
  void IndexByIdentity(std::string& failedPath);

  struct IdentityHash {
    std::size_t operator()(const io::FileIdentity& identity) const {
      return std::hash<std::uint64_t>()(identity.Inode * 1000003u ^ identity.Device);
    }
  };

  std::unordered_map<std::string, OpenTextFile> files_;
  PathTable<OpenTextFile> byPath_;  // the files above, for the look-up of every reading
  std::unordered_map<io::FileIdentity, std::string, IdentityHash> byIdentity_;
  std::vector<std::string> notIndexed_;  // open files added without their identity
  std::list<std::string> byUse_;         // most recently used first
  std::map<std::string, ClosedTextFile> closed_;
  std::map<std::string, TextFileTally> tallies_;
  io::WriteBack writeBack_;  // the folders of the files, written back at the run's end
  std::size_t mostOpen_ = 0;
  std::size_t bufferShare_ = kLargestBuffer;
};

}  // namespace tolvanex
