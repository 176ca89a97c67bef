// An index over the lookup table: for an identifier pair, letter case aside, the first entry in
// table order that holds it, found in constant time. The lookup table's routines keep it up to
// date as they change the table (load, append, sort).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/lookup_entry.h"

namespace tolvanex {

class LookupIndex {
 public:
  // Indexes entries 1 to count of the table.
  void Rebuild(const std::vector<LookupEntry>& entries, std::int64_t count);
  // Takes in the entry at a new index after all the others.
  void Add(const LookupEntry& entry, std::int64_t index);
  // The index of the first entry with the pair; 0 when there is none.
  std::int64_t Find(std::string_view id1, std::string_view id2);
  // The number of entries indexed.
  std::int64_t Count() const { return count_; }

 private:
  // The pair as one text: both identifiers with ASCII letters in upper case, the first one's
  // length in front so that no two pairs give the same text.
  const std::string& KeyOf(std::string_view id1, std::string_view id2);

  std::unordered_map<std::string, std::int64_t> first_;
  std::int64_t count_ = 0;
  std::string key_;  // reused for every look-up
};

}  // namespace tolvanex
