// The lookup table as the window keeps it: entries 1 to Count, each an identifier pair and its
// site number, held packed so that a table costs little more than its file. The bytes of the
// three texts lie together in an arena; an entry is one 64-bit word (the position of its bytes
// and their three lengths); an index of entry numbers finds the first entry of a pair. Entries
// are appended, read by number and sorted; they are not changed in place.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/lookup_entry.h"
#include "model/lookup_pair_index.h"
#include "model/text_arena.h"

namespace tolvanex {

class PackedLookupTable {
 public:
  // How far past the count the capacity grows whenever an entry does not fit.
  static constexpr std::int64_t kCapacityGrowth = 10;

  // The arena's blocks are of 2^arenaBlockShift bytes, the records' of 2^recordBlockShift
  // records; the hash is the index's. A table starts small, as most are; tests make the blocks
  // small or the hash poor to reach what a real table reaches only when it is huge.
  explicit PackedLookupTable(unsigned arenaBlockShift = 16,
                             LookupPairIndex::PairHash hash = HashPairIgnoringCase,
                             unsigned recordBlockShift = 9);
  // A table with blocks sized for a lookup file of that many bytes: a long file fills a few
  // large blocks, a short one never makes them.
  static PackedLookupTable ForFileOf(std::uint64_t bytes);
  PackedLookupTable(PackedLookupTable&&) noexcept = default;
  PackedLookupTable& operator=(PackedLookupTable&&) noexcept = default;

  std::int64_t Count() const { return count_; }
  // Entry 1 to Count; valid until the table is replaced or sorted.
  LookupEntryView operator[](std::int64_t index) const;

  // The capacity as the table reports it: it grows to Count + kCapacityGrowth whenever an
  // appended entry does not fit, and may be raised. The storage itself grows in blocks of its own
  // and does not depend on it.
  std::int64_t Capacity() const { return capacity_; }
  void RaiseCapacity(std::int64_t capacity);

  // Adds an entry after the last one. On a failure the table stays as it was.
  void Append(LookupEntryView entry);

  // The first entry in table order whose pair equals the one given, ASCII letters compared
  // without regard to case; 0 when there is none. Builds the index when it is not built.
  std::int64_t FindFirst(std::string_view id1, std::string_view id2);
  // Builds the index now (a loaded table is indexed before it is taken over).
  void IndexPairs();

  // Orders the entries by ID1, then ID2, comparing bytes ordinally; entries with equal keys keep
  // their order. On a failure the order stays as it was.
  void SortByIdentifiers();

  std::size_t ArenaBlockCount() const { return arena_.BlockCount(); }

 private:
  std::int64_t RecordBlockSize() const { return std::int64_t{1} << recordShift_; }
  std::uint64_t& RecordOf(std::int64_t index) {
    auto at = static_cast<std::uint64_t>(index - 1);
    return records_[at >> recordShift_][at & (RecordBlockSize() - 1)];
  }
  std::uint64_t RecordOf(std::int64_t index) const {
    auto at = static_cast<std::uint64_t>(index - 1);
    return records_[at >> recordShift_][at & (RecordBlockSize() - 1)];
  }
  LookupEntryView Decode(std::uint64_t record) const;
  // Walks the records in their blocks, for sorting them where they lie.
  class RecordCursor;

  TextArena arena_;
  unsigned recordShift_;
  // The records in blocks that never move, so that growing never copies them or holds them twice.
  std::vector<std::unique_ptr<std::uint64_t[]>> records_;
  std::int64_t count_ = 0;
  std::int64_t capacity_ = 0;
  LookupPairIndex index_;
};

}  // namespace tolvanex
