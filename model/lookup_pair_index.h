// An index over a packed lookup table: for an identifier pair, letter case aside, the first entry
// in table order that holds it. Open addressing with linear probing over 32-bit slots that hold an
// entry number and, in the bits that the number leaves free, a few bits of its pair's hash: a pair
// is compared with the table's own bytes only where those bits agree, no key is ever copied, and
// an entry costs about seven bytes of index.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tolvanex {

class PackedLookupTable;

// The hash of a pair as the index compares it: ASCII letters in either case hash alike, and the
// boundary between the two identifiers counts ("ab" + "c" is not "a" + "bc").
std::uint64_t HashPairIgnoringCase(std::string_view id1, std::string_view id2);

class LookupPairIndex {
 public:
  using PairHash = std::uint64_t (*)(std::string_view id1, std::string_view id2);

  explicit LookupPairIndex(PairHash hash = HashPairIgnoringCase) : hash_(hash) {}

  bool IsBuilt() const { return !slots_.empty(); }
  // Frees the slots; the index is built again when it is next needed.
  void Drop();
  // Indexes entries 1 to Count of the table. On a failure the index stays as it was.
  void Build(const PackedLookupTable& table);
  // Makes sure that one more pair fits without passing the load limit, building the index
  // afresh, larger, when it would.
  void MakeRoomForOneMore(const PackedLookupTable& table);
  // Takes in the table's entry unless an earlier entry holds its pair. Needs the room above.
  void Add(const PackedLookupTable& table, std::int64_t entry);
  // The first entry with the pair; 0 when there is none or the index is not built.
  std::int64_t Find(const PackedLookupTable& table, std::string_view id1,
                    std::string_view id2) const;

 private:
  // How a slot holds an entry number and the bits of a hash, for a number of slots.
  struct SlotLayout {
    unsigned EntryBits = 32;
    explicit SlotLayout(std::size_t slots);
    std::uint32_t Entry(std::uint32_t slot) const;
    std::uint32_t Tag(std::uint64_t hash) const;  // as it lies in a slot, the entry bits clear
    bool HasTag(std::uint32_t slot, std::uint32_t tag) const;
  };

  // Where a hash starts its probe among count slots.
  static std::size_t Home(std::uint64_t hash, std::size_t count);
  // Puts the entry, whose pair has the hash, into the slots unless its pair is there already;
  // true when it did.
  static bool Place(std::vector<std::uint32_t>& slots, const PackedLookupTable& table,
                    std::int64_t entry, std::uint64_t hash);

  PairHash hash_;
  std::vector<std::uint32_t> slots_;  // 0 is an empty slot: no entry is numbered 0
  std::int64_t pairs_ = 0;            // the slots in use
};

}  // namespace tolvanex
