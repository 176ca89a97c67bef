#include "ui/sorted_list.h"
#include "base/text.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace tolvanex {

void SortedListBox::Clear() {
  names_.clear();
  ids_.clear();
  sorted_.clear();
  ends_.clear();
  pending_.clear();
  pendingRows_ = 0;
  ranks_.clear();
  listIndex_ = -1;
  ++revision_;
}

void SortedListBox::AddItems(std::string_view name, std::int64_t count) {
  auto found = ids_.find(std::string(name));
  std::uint32_t id;
  if (found != ids_.end()) {
    id = found->second;
  } else {
    id = static_cast<std::uint32_t>(names_.size());
    names_.emplace_back(name);
    ids_.emplace(names_.back(), id);
    ranks_.clear();
  }
  if (count > 0) {
    Append(pending_, {id, count});
    pendingRows_ += count;
  }
  ++revision_;
}

void SortedListBox::Append(std::vector<Run>& runs, Run run) {
  if (!runs.empty() && runs.back().Id == run.Id) {
    runs.back().Rows += run.Rows;
  } else {
    runs.push_back(run);
  }
}

void SortedListBox::RankNames() const {
  if (ranks_.size() == names_.size()) return;
  std::vector<std::uint32_t> ids(names_.size());
  std::iota(ids.begin(), ids.end(), 0u);
  auto less = [this](std::uint32_t a, std::uint32_t b) {
    return LessIgnoringCase(names_[a], names_[b]);
  };
  std::sort(ids.begin(), ids.end(), less);
  ranks_.assign(names_.size(), 0);
  std::uint32_t rank = 0;
  for (std::size_t k = 1; k < ids.size(); ++k) {
    if (less(ids[k - 1], ids[k])) ++rank;
    ranks_[ids[k]] = rank;
  }
}

// Sorts the rows added since the last read and merges them behind equal rows already listed,
// carrying the selection along with the row it marks. The runs of a name keep their rows in the
// order they came, so a stable sort of the runs is one of the rows.
void SortedListBox::Settle() const {
  if (pending_.empty()) return;
  RankNames();
  auto less = [this](const Run& a, const Run& b) { return ranks_[a.Id] < ranks_[b.Id]; };
  std::stable_sort(pending_.begin(), pending_.end(), less);
  std::vector<Run> merged;
  merged.reserve(sorted_.size() + pending_.size());
  std::size_t i = 0, j = 0;
  std::int64_t row = 0;  // the first row of sorted_[i]
  std::int64_t mergedRows = 0;
  std::int64_t newIndex = -1;
  while (i < sorted_.size() || j < pending_.size()) {
    bool takeOld = j == pending_.size() || (i < sorted_.size() && !less(pending_[j], sorted_[i]));
    const Run& run = takeOld ? sorted_[i] : pending_[j];
    if (takeOld) {
      if (listIndex_ >= row && listIndex_ < row + run.Rows)
        newIndex = mergedRows + listIndex_ - row;
      row += run.Rows;
      ++i;
    } else {
      ++j;
    }
    mergedRows += run.Rows;
    Append(merged, run);
  }
  sorted_.swap(merged);
  ends_.clear();
  std::int64_t end = 0;
  for (const Run& run : sorted_) ends_.push_back(end += run.Rows);
  pending_.clear();
  pendingRows_ = 0;
  listIndex_ = newIndex;
}

const std::string& SortedListBox::List(std::int64_t index) const {
  Settle();
  if (index < 0 || index >= SortedRows()) throw std::out_of_range("Invalid list index");
  auto run = std::upper_bound(ends_.begin(), ends_.end(), index) - ends_.begin();
  return names_[sorted_[static_cast<std::size_t>(run)].Id];
}

std::int64_t SortedListBox::ListIndex() const {
  Settle();
  return listIndex_;
}

void SortedListBox::SetListIndex(std::int64_t index) {
  Settle();
  if (index < -1 || index >= SortedRows()) throw std::out_of_range("Invalid list index");
  listIndex_ = index;
  ++revision_;
}

std::string SortedListBox::Text() const {
  std::int64_t index = ListIndex();
  return index < 0 ? std::string() : List(index);
}

}  // namespace tolvanex
