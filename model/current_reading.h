// The analysed data line that the writers of a run work from.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/decimal_shortcuts.h"

namespace tolvanex {

inline constexpr int kValueSlots = 51;  // slots 0 to 50; slot 0 is never filled

struct CurrentReading {
  // The last analysed line split at every comma, as views into the line: they hold while the
  // line is in hand, that is until the next line is read. After a data line, Fields[0] and
  // Fields[1] are ID1 and ID2 without their quotes and blanks; the rest stay exactly as split.
  // (A reading analysed on another thread brings only its first four fields: nothing after the
  // analysis looks further.)
  std::vector<std::string_view> Fields;
  // Day-count date value: whole days since 30 December 1899, the fraction the time of day.
  double ReadingTime = 0;
  std::string_view SN;
  std::array<std::optional<double>, kValueSlots> Values{};
  // The digits each value's text gave, for writing it back quickly; they count only while they
  // belong to the value in the slot, so a slot may be set without them. Like the fields, they
  // hold while the line is in hand.
  std::array<KnownDigits, kValueSlots> Digits{};
  // The highest slot filled since the last clear; 0 when none.
  int MaxColumn = 0;

  // Each group's level code text as last read, and its level: the codes repeat from line to
  // line, so a code is read again only when its text changes.
  struct LevelCodeText {
    std::string Text;
    float Level = 0;
  };
  std::vector<LevelCodeText> LevelCodes;

  // A reading that no line of the data file gave: the reading keeps the texts of its fields
  // itself, and Fields and SN (the fourth) are views into them.
  void KeepFields(std::vector<std::string> texts) {
    heldFields_ = std::move(texts);
    Fields.assign(heldFields_.begin(), heldFields_.end());
    SN = Fields.size() > 3 ? Fields[3] : std::string_view();
  }

 private:
  std::vector<std::string> heldFields_;
};

}  // namespace tolvanex
