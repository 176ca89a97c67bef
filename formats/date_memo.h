// The last date text read and what it read as. The readings of one minute share their date text,
// so a run reads it once for all of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "formats/date_value.h"

namespace tolvanex {

class DateTextMemo {
 public:
  // ParseDateTime of the text; read again only when the text differs from the last one. The
  // current year is asked for (currentYear()) only then: it takes a look at the clock.
  template <typename CurrentYear>
  std::optional<double> Read(std::string_view text, const RegionalSettings& regional,
                             CurrentYear&& currentYear) {
    if (!known_ || text != text_) {
      value_ = ParseDateTime(text, regional, currentYear());
      text_.assign(text);
      known_ = true;
    }
    return value_;
  }
  void Clear() { known_ = false; }

 private:
  bool known_ = false;
  std::string text_;
  std::optional<double> value_;
};

}  // namespace tolvanex
