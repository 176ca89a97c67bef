// Date patterns such as "d mmm yyyy HH:MM": a pattern is read once into its codes and then writes
// any number of day-count values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/regional_settings.h"

namespace tolvanex {

class DatePattern {
 public:
  explicit DatePattern(std::string_view pattern);

  const std::string& Text() const { return text_; }
  // Appends the value written with the pattern; an empty pattern writes the general number form
  // of the value. Throws Failure(kOverflow) for a value outside the range of dates.
  void AppendTo(std::string& out, double value, const RegionalSettings& regional) const;
  std::string Format(double value, const RegionalSettings& regional) const;

 private:
  struct Token {};  // the owner of this file shapes it
  std::string text_;
  std::vector<Token> tokens_;
  bool twelveHour_ = false;
};

// One value with one pattern, for callers that do not keep the pattern.
std::string FormatDate(double value, std::string_view pattern, const RegionalSettings& regional);

}  // namespace tolvanex
