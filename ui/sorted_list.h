// The output files list: names kept in ascending order without regard to letter case, duplicates
// kept. A run adds one row per reading, so it must take a million rows of a few names: names are
// stored once, and neighbouring rows of one name are one run of rows. Rows added since the last
// read are sorted and merged in one step when the list is next read, never inserted one by one;
// that step costs what the runs number, not what the rows do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tolvanex {

class SortedListBox {
 public:
  void Clear();
  void AddItem(std::string_view name) { AddItems(name, 1); }
  // Adds count rows of the same name.
  void AddItems(std::string_view name, std::int64_t count);

  std::int64_t ListCount() const { return SortedRows() + pendingRows_; }
  // The row at a sorted position, 0 <= index < ListCount().
  const std::string& List(std::int64_t index) const;
  // The selected position, -1 when nothing is selected.
  std::int64_t ListIndex() const;
  void SetListIndex(std::int64_t index);
  // The selected row's text; empty when nothing is selected.
  std::string Text() const;
  // Grows on every change, so that a view knows when to read the list again.
  std::uint64_t Revision() const { return revision_; }

 private:
  void Settle() const;
  // The place of every name in the list's order, names equal without regard to case sharing one:
  // rows are then ordered by whole numbers, and a name's letters are compared only when a name is
  // added.
  void RankNames() const;

  // Rows of one name, side by side.
  struct Run {
    std::uint32_t Id = 0;
    std::int64_t Rows = 0;
  };
  std::int64_t SortedRows() const { return ends_.empty() ? 0 : ends_.back(); }
  // Appends a run, joined to the last one when that is of the same name.
  static void Append(std::vector<Run>& runs, Run run);

  std::vector<std::string> names_;
  std::unordered_map<std::string, std::uint32_t> ids_;
  mutable std::vector<Run> sorted_;
  mutable std::vector<std::int64_t> ends_;  // the row after each of sorted_'s runs
  mutable std::vector<Run> pending_;        // in the order they came
  mutable std::int64_t pendingRows_ = 0;
  mutable std::vector<std::uint32_t> ranks_;  // by id; empty until the next read after a new name
  mutable std::int64_t listIndex_ = -1;
  std::uint64_t revision_ = 0;
};

}  // namespace tolvanex
