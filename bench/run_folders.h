// The folders the timed runs write into. Each run is given a folder of its own that never held a
// file, and nothing of any run is removed before every run has been timed. On ext4 without a
// journal a new file does not get an inode freed in the last minute (in the last six minutes while
// its inode table is not written back): the search for a free one looks past each of them in turn,
// whatever folder it was in. A run that creates thousands of files soon after thousands were
// removed pays for that removal, and its time would no longer be the program's.
//
// The memory needs care as well. This machine's host backs the memory of its virtual machine only
// when a page is first touched: a run that writes 200 MB into pages of the page cache that were
// never used takes 0.3 s longer than one that reuses pages freed a moment before, and which of the
// two a run gets depends on what ran before it. So once a run is timed, its files are written back
// and dropped from the page cache (ForgetLast), files and inodes staying as they are: the next run
// finds those pages free, as memory is on a machine of its own.
#pragma once

#include <string>

namespace bench {

class RunFolders {
 public:
  // The folders go under work/runs.
  explicit RunFolders(const std::string& work);

  // A folder just created, under a number no earlier folder had; one left behind by an earlier
  // benchmark that did not end is passed over, not emptied.
  std::string Fresh();

  // Writes every file of the folder Fresh gave last back to the disk, and drops its pages from
  // memory.
  void ForgetLast();

  // Removes every run's folder, those left behind included. Only once every run is timed.
  void RemoveAll();

 private:
  std::string Root;
  long Count = 0;
};

}  // namespace bench
