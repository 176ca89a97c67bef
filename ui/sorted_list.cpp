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
  pending_.clear();
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
  pending_.insert(pending_.end(), static_cast<std::size_t>(count), id);
  ++revision_;
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
// carrying the selection along with the row it marks.
void SortedListBox::Settle() const {
  if (pending_.empty()) return;
  RankNames();
  auto less = [this](std::uint32_t a, std::uint32_t b) { return ranks_[a] < ranks_[b]; };
  std::stable_sort(pending_.begin(), pending_.end(), less);
  std::vector<std::uint32_t> merged;
  merged.reserve(sorted_.size() + pending_.size());
  std::size_t i = 0, j = 0;
  std::int64_t newIndex = -1;
  while (i < sorted_.size() || j < pending_.size()) {
    bool takeOld = j == pending_.size() || (i < sorted_.size() && !less(pending_[j], sorted_[i]));
    if (takeOld) {
      if (static_cast<std::int64_t>(i) == listIndex_)
        newIndex = static_cast<std::int64_t>(merged.size());
      merged.push_back(sorted_[i++]);
    } else {
      merged.push_back(pending_[j++]);
    }
  }
  sorted_.swap(merged);
  pending_.clear();
  listIndex_ = newIndex;
}

const std::string& SortedListBox::List(std::int64_t index) const {
  Settle();
  if (index < 0 || index >= static_cast<std::int64_t>(sorted_.size())) {
    throw std::out_of_range("Invalid list index");
  }
  return names_[sorted_[static_cast<std::size_t>(index)]];
}

std::int64_t SortedListBox::ListIndex() const {
  Settle();
  return listIndex_;
}

void SortedListBox::SetListIndex(std::int64_t index) {
  Settle();
  if (index < -1 || index >= static_cast<std::int64_t>(sorted_.size())) {
    throw std::out_of_range("Invalid list index");
  }
  listIndex_ = index;
  ++revision_;
}

std::string SortedListBox::Text() const {
  std::int64_t index = ListIndex();
  return index < 0 ? std::string() : List(index);
}

}  // namespace tolvanex
