// One row of the lookup table: an identifier pair and its site number, all kept as text.
#pragma once

#include <string>

namespace tolvanex {

struct LookupEntry {
  std::string ID1;
  std::string ID2;
  std::string SiteID;
  friend bool operator==(const LookupEntry&, const LookupEntry&) = default;
};

}  // namespace tolvanex
