#include "model/lookup_pair_index.h"

#include <algorithm>
#include <bit>

#include "base/text.h"
#include "model/packed_lookup_table.h"

namespace tolvanex {

namespace {

// Built at a load of at most 0.6, grown past 0.8: short probes, seven bytes an entry or less.
std::size_t SlotsFor(std::int64_t entries) {
  return static_cast<std::size_t>(entries + entries * 2 / 3 + 16);
}

bool SamePair(LookupEntryView a, std::string_view id1, std::string_view id2) {
  return EqualIgnoringCase(a.ID1, id1) && EqualIgnoringCase(a.ID2, id2);
}

}  // namespace

std::uint64_t HashPairIgnoringCase(std::string_view id1, std::string_view id2) {
  // FNV-1a over the folded bytes, the first identifier's length between the two, then a final
  // mix so that the high bits, which choose the slot, depend on every byte.
  constexpr std::uint64_t kPrime = 0x100000001b3;
  std::uint64_t hash = 0xcbf29ce484222325;
  for (char c : id1) hash = (hash ^ static_cast<unsigned char>(UpperAscii(c))) * kPrime;
  hash = (hash ^ id1.size()) * kPrime;
  for (char c : id2) hash = (hash ^ static_cast<unsigned char>(UpperAscii(c))) * kPrime;
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccd;
  hash ^= hash >> 33;
  hash *= 0xc4ceb9fe1a85ec53;
  hash ^= hash >> 33;
  return hash;
}

LookupPairIndex::SlotLayout::SlotLayout(std::size_t slots)
    : EntryBits(static_cast<unsigned>(std::bit_width(slots))) {}

std::uint32_t LookupPairIndex::SlotLayout::Entry(std::uint32_t slot) const {
  return EntryBits >= 32 ? slot : slot & ((std::uint32_t{1} << EntryBits) - 1);
}

bool LookupPairIndex::SlotLayout::HasTag(std::uint32_t slot, std::uint32_t tag) const {
  // The tag's bits lie above the entry's: they agree when taking them out leaves the entry.
  return (slot ^ tag) == Entry(slot);
}

std::uint32_t LookupPairIndex::SlotLayout::Tag(std::uint64_t hash) const {
  // The low bits of the hash: the high ones choose the home slot and say little more.
  return EntryBits >= 32 ? 0 : static_cast<std::uint32_t>(hash) << EntryBits;
}

std::size_t LookupPairIndex::Home(std::uint64_t hash, std::size_t count) {
  // The high half of the hash scaled to the slots: no power-of-two sizes needed.
  return static_cast<std::size_t>(((hash >> 32) * count) >> 32);
}

void LookupPairIndex::Drop() {
  std::vector<std::uint32_t>().swap(slots_);
  pairs_ = 0;
}

void LookupPairIndex::Build(const PackedLookupTable& table) {
  std::vector<std::uint32_t> slots(SlotsFor(table.Count()));
  std::int64_t pairs = 0;
  // Nearly every entry's home slot is a miss of the processor's caches: the homes of a batch of
  // entries are asked for together, so that their misses overlap rather than follow each other.
  constexpr std::int64_t kBatch = 16;
  std::uint64_t hashes[kBatch];
  for (std::int64_t first = 1; first <= table.Count(); first += kBatch) {
    std::int64_t size = std::min(kBatch, table.Count() - first + 1);
    for (std::int64_t i = 0; i < size; ++i) {
      LookupEntryView entry = table[first + i];
      hashes[i] = hash_(entry.ID1, entry.ID2);
      __builtin_prefetch(&slots[Home(hashes[i], slots.size())]);
    }
    for (std::int64_t i = 0; i < size; ++i) pairs += Place(slots, table, first + i, hashes[i]);
  }
  slots_.swap(slots);
  pairs_ = pairs;
}

void LookupPairIndex::MakeRoomForOneMore(const PackedLookupTable& table) {
  if (IsBuilt() && (pairs_ + 1) * 5 > static_cast<std::int64_t>(slots_.size()) * 4) Build(table);
}

void LookupPairIndex::Add(const PackedLookupTable& table, std::int64_t entry) {
  if (!IsBuilt()) return;
  LookupEntryView added = table[entry];
  if (Place(slots_, table, entry, hash_(added.ID1, added.ID2))) ++pairs_;
}

bool LookupPairIndex::Place(std::vector<std::uint32_t>& slots, const PackedLookupTable& table,
                            std::int64_t entry, std::uint64_t hash) {
  LookupEntryView added = table[entry];
  std::size_t count = slots.size();
  SlotLayout layout(count);
  std::uint32_t tag = layout.Tag(hash);
  for (std::size_t at = Home(hash, count);; at = at + 1 == count ? 0 : at + 1) {
    std::uint32_t held = slots[at];
    if (held == 0) {
      slots[at] = tag | static_cast<std::uint32_t>(entry);
      return true;
    }
    if (layout.HasTag(held, tag) && SamePair(table[layout.Entry(held)], added.ID1, added.ID2)) {
      return false;
    }
  }
}

std::int64_t LookupPairIndex::Find(const PackedLookupTable& table, std::string_view id1,
                                   std::string_view id2) const {
  if (!IsBuilt()) return 0;
  std::size_t count = slots_.size();
  SlotLayout layout(count);
  std::uint64_t hash = hash_(id1, id2);
  std::uint32_t tag = layout.Tag(hash);
  for (std::size_t at = Home(hash, count);; at = at + 1 == count ? 0 : at + 1) {
    std::uint32_t held = slots_[at];
    if (held == 0) return 0;
    if (layout.HasTag(held, tag) && SamePair(table[layout.Entry(held)], id1, id2)) {
      return layout.Entry(held);
    }
  }
}

}  // namespace tolvanex
