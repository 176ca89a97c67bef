#include "model/packed_lookup_table.h"

#include <algorithm>
#include <bit>
#include <compare>
#include <cstring>
#include <iterator>
#include <stdexcept>

namespace tolvanex {

namespace {

// A record: the position of the entry's bytes in the low bits, then the lengths of ID1, ID2 and
// SiteID, a byte each. When any of them is 255 or longer, all three length bytes are 255 and the
// lengths lie in front of the bytes, a 64-bit number each: short entries, nearly all of them,
// cost no more than their text and the one word.
constexpr std::uint64_t kPositionMask = (std::uint64_t{1} << TextArena::kPositionBits) - 1;
constexpr std::uint64_t kLongForm = 0xFFFFFF;
constexpr std::size_t kShortLimit = 255;
constexpr std::size_t kLongHeader = 3 * sizeof(std::uint64_t);

// The index holds entry numbers as 32 bits, and its slots must stay countable in 32 bits too.
constexpr std::int64_t kMaximumCount = (std::int64_t{1} << 31) - 1;

void CopyBytes(char* to, std::string_view text) {
  if (!text.empty()) std::memcpy(to, text.data(), text.size());
}

}  // namespace

// A random-access iterator over the records, so that they are sorted in their blocks: no copy of
// them all beside the table.
class PackedLookupTable::RecordCursor {
 public:
  using iterator_category = std::random_access_iterator_tag;
  using value_type = std::uint64_t;
  using difference_type = std::ptrdiff_t;
  using pointer = std::uint64_t*;
  using reference = std::uint64_t&;

  RecordCursor() = default;
  RecordCursor(std::unique_ptr<std::uint64_t[]>* blocks, unsigned shift, difference_type at)
      : blocks_(blocks), shift_(shift), at_(at) {}

  reference operator*() const {
    return blocks_[at_ >> shift_][at_ & ((difference_type{1} << shift_) - 1)];
  }
  reference operator[](difference_type n) const { return *(*this + n); }
  RecordCursor& operator++() { return *this += 1; }
  RecordCursor& operator--() { return *this -= 1; }
  RecordCursor operator++(int) { return {blocks_, shift_, at_++}; }
  RecordCursor operator--(int) { return {blocks_, shift_, at_--}; }
  RecordCursor& operator+=(difference_type n) {
    at_ += n;
    return *this;
  }
  RecordCursor& operator-=(difference_type n) { return *this += -n; }
  friend RecordCursor operator+(RecordCursor cursor, difference_type n) { return cursor += n; }
  friend RecordCursor operator+(difference_type n, RecordCursor cursor) { return cursor += n; }
  friend RecordCursor operator-(RecordCursor cursor, difference_type n) { return cursor -= n; }
  friend difference_type operator-(const RecordCursor& a, const RecordCursor& b) {
    return a.at_ - b.at_;
  }
  friend bool operator==(const RecordCursor& a, const RecordCursor& b) { return a.at_ == b.at_; }
  friend auto operator<=>(const RecordCursor& a, const RecordCursor& b) { return a.at_ <=> b.at_; }

 private:
  std::unique_ptr<std::uint64_t[]>* blocks_ = nullptr;
  unsigned shift_ = 0;
  difference_type at_ = 0;  // from 0 for entry 1
};

PackedLookupTable::PackedLookupTable(unsigned arenaBlockShift, LookupPairIndex::PairHash hash,
                                     unsigned recordBlockShift)
    : arena_(arenaBlockShift), recordShift_(recordBlockShift), index_(hash) {}

PackedLookupTable PackedLookupTable::ForFileOf(std::uint64_t bytes) {
  // The texts take about the file's bytes, a record about every twenty of them; blocks of a
  // quarter of that, from 64 KiB and 512 records up to 4 MiB and 65 536 records.
  auto shiftFor = [](std::uint64_t size, unsigned smallest, unsigned largest) {
    auto shift = static_cast<unsigned>(std::bit_width(size / 4));
    return std::clamp(shift, smallest, largest);
  };
  return PackedLookupTable(shiftFor(bytes, 16, 22), HashPairIgnoringCase,
                           shiftFor(bytes / 20, 9, 16));
}

LookupEntryView PackedLookupTable::operator[](std::int64_t index) const {
  if (index < 1 || index > count_) throw std::out_of_range("No such lookup entry");
  return Decode(RecordOf(index));
}

LookupEntryView PackedLookupTable::Decode(std::uint64_t record) const {
  std::uint64_t position = record & kPositionMask;
  std::uint64_t lengths = record >> TextArena::kPositionBits;
  std::uint64_t length[3];
  const char* bytes = nullptr;
  if (lengths == kLongForm) {
    bytes = arena_.At(position);
    std::memcpy(length, bytes, kLongHeader);
    bytes += kLongHeader;
  } else {
    length[0] = lengths & 0xFF;
    length[1] = (lengths >> 8) & 0xFF;
    length[2] = lengths >> 16;
    // An entry of three empty texts has no bytes, and its position none either.
    if (length[0] + length[1] + length[2] == 0) return {};
    bytes = arena_.At(position);
  }
  return {{bytes, length[0]},
          {bytes + length[0], length[1]},
          {bytes + length[0] + length[1], length[2]}};
}

void PackedLookupTable::RaiseCapacity(std::int64_t capacity) {
  capacity_ = std::max(capacity_, capacity);
}

void PackedLookupTable::Append(LookupEntryView entry) {
  if (count_ >= kMaximumCount) throw std::length_error("The lookup table is full");
  // Everything that may throw comes before the count moves; what it adds unused is harmless.
  if (count_ == static_cast<std::int64_t>(records_.size()) * RecordBlockSize()) {
    records_.reserve(records_.size() + 1);
    records_.push_back(std::make_unique_for_overwrite<std::uint64_t[]>(
        static_cast<std::size_t>(RecordBlockSize())));
  }
  index_.MakeRoomForOneMore(*this);
  const std::string_view texts[3] = {entry.ID1, entry.ID2, entry.SiteID};
  bool longForm = std::any_of(std::begin(texts), std::end(texts),
                              [](std::string_view text) { return text.size() >= kShortLimit; });
  std::size_t size =
      (longForm ? kLongHeader : 0) + texts[0].size() + texts[1].size() + texts[2].size();
  std::uint64_t position = arena_.Allocate(size);

  std::uint64_t lengths = kLongForm;
  char* out = size == 0 ? nullptr : arena_.At(position);
  if (longForm) {
    for (std::string_view text : texts) {
      auto length = static_cast<std::uint64_t>(text.size());
      std::memcpy(out, &length, sizeof length);
      out += sizeof length;
    }
  } else {
    lengths = texts[0].size() | texts[1].size() << 8 | texts[2].size() << 16;
  }
  for (std::string_view text : texts) {
    CopyBytes(out, text);
    out += text.size();
  }
  ++count_;
  RecordOf(count_) = position | lengths << TextArena::kPositionBits;
  if (count_ > capacity_) capacity_ = count_ + kCapacityGrowth;
  index_.Add(*this, count_);
}

std::int64_t PackedLookupTable::FindFirst(std::string_view id1, std::string_view id2) {
  if (!index_.IsBuilt()) index_.Build(*this);
  return index_.Find(*this, id1, id2);
}

void PackedLookupTable::IndexPairs() {
  index_.Build(*this);
}

void PackedLookupTable::SortByIdentifiers() {
  if (count_ < 2) return;
  // The index is of no use while the order changes; freed first, it makes room for the sort.
  bool indexed = index_.IsBuilt();
  index_.Drop();
  RecordCursor first(records_.data(), recordShift_, 0);
  std::stable_sort(first, first + count_, [this](std::uint64_t a, std::uint64_t b) {
    // string_view compares its bytes as unsigned characters: ordinal, case-sensitive.
    LookupEntryView x = Decode(a), y = Decode(b);
    int byID1 = x.ID1.compare(y.ID1);
    return byID1 != 0 ? byID1 < 0 : x.ID2 < y.ID2;
  });
  if (indexed) index_.Build(*this);
}

}  // namespace tolvanex
