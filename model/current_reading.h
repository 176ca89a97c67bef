// The analysed data line that the writers of a run work from.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "formats/decimal_shortcuts.h"

namespace tolvanex {

inline constexpr int kValueSlots = 51;  // slots 0 to 50; slot 0 is never filled

struct CurrentReading {
  // The last analysed line split at every comma. After a data line, Fields[0] and Fields[1] are
  // ID1 and ID2 without their quotes and blanks; the rest stay exactly as split.
  std::vector<std::string> Fields;
  // Day-count date value: whole days since 30 December 1899, the fraction the time of day.
  double ReadingTime = 0;
  std::string SN;
  std::array<std::optional<double>, kValueSlots> Values{};
  // The digits each value's text gave, for writing it back quickly; they count only while they
  // belong to the value in the slot, so a slot may be set without them.
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
};

}  // namespace tolvanex
