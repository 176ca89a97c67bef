// Values by path, found through one array of slots (open addressing): a look-up touches a slot
// and the value's key, where a node map goes through other nodes first and divides by its bucket
// count at each. The table holds pointers: keys and values live elsewhere and outlive their slots.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tolvanex {

template <typename Value>
class PathTable {
 public:
  Value* Find(const std::string& path) const {
    if (slots_.empty()) return nullptr;
    std::size_t hash = std::hash<std::string>()(path);
    for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      const Slot& slot = slots_[i];
      if (slot.Key == nullptr) return nullptr;
      if (slot.Hash == hash && *slot.Key == path) return slot.Target;
    }
  }

  // The key must stay as it is for as long as the value is in the table.
  void Insert(const std::string& key, Value* value) {
    if (2 * (count_ + 1) > slots_.size()) Grow();
    Place({std::hash<std::string>()(key), &key, value});
    ++count_;
  }

  void Erase(const std::string& path) {
    if (slots_.empty()) return;
    std::size_t hash = std::hash<std::string>()(path);
    std::size_t i = hash & Mask();
    while (slots_[i].Key != nullptr && !(slots_[i].Hash == hash && *slots_[i].Key == path)) {
      i = (i + 1) & Mask();
    }
    if (slots_[i].Key == nullptr) return;
    // The slots after it that would no longer be reached move back into the gap.
    for (std::size_t j = (i + 1) & Mask(); slots_[j].Key != nullptr; j = (j + 1) & Mask()) {
      std::size_t home = slots_[j].Hash & Mask();
      if (((j - home) & Mask()) >= ((j - i) & Mask())) {
        slots_[i] = slots_[j];
        i = j;
      }
    }
    slots_[i] = Slot();
    --count_;
  }

  void Clear() {
    slots_.clear();
    count_ = 0;
  }

 private:
  struct Slot {
    std::size_t Hash = 0;
    const std::string* Key = nullptr;
    Value* Target = nullptr;
  };

  std::size_t Mask() const { return slots_.size() - 1; }

  void Place(const Slot& slot) {
    std::size_t i = slot.Hash & Mask();
    while (slots_[i].Key != nullptr) i = (i + 1) & Mask();
    slots_[i] = slot;
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : 2 * old.size(), Slot());
    for (const Slot& slot : old) {
      if (slot.Key != nullptr) Place(slot);
    }
  }

  std::vector<Slot> slots_;  // a power of two of them, at most half taken
  std::size_t count_ = 0;
};

}  // namespace tolvanex
