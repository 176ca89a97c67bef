#include "model/lookup_index.h"

#include "base/text.h"

namespace tolvanex {

const std::string& LookupIndex::KeyOf(std::string_view id1, std::string_view id2) {
  key_.clear();
  AppendDecimal(key_, static_cast<std::int64_t>(id1.size()));
  key_ += ':';
  for (char c : id1) key_ += UpperAscii(c);
  for (char c : id2) key_ += UpperAscii(c);
  return key_;
}

void LookupIndex::Rebuild(const std::vector<LookupEntry>& entries, std::int64_t count) {
  first_.clear();
  first_.reserve(static_cast<std::size_t>(count));
  count_ = 0;
  for (std::int64_t i = 1; i <= count; ++i) Add(entries[static_cast<std::size_t>(i)], i);
}

void LookupIndex::Add(const LookupEntry& entry, std::int64_t index) {
  first_.try_emplace(KeyOf(entry.ID1, entry.ID2), index);
  count_ = index;
}

std::int64_t LookupIndex::Find(std::string_view id1, std::string_view id2) {
  auto found = first_.find(KeyOf(id1, id2));
  return found == first_.end() ? 0 : found->second;
}

}  // namespace tolvanex
