// One row of the lookup table: an identifier pair and its site number, all kept as text. The
// table itself holds its rows packed (model/packed_lookup_table.h) and shows each one as a view
// of its bytes; LookupEntry is a row that owns its text.
#pragma once

#include <string>
#include <string_view>

namespace tolvanex {

struct LookupEntry {
  std::string ID1;
  std::string ID2;
  std::string SiteID;
  friend bool operator==(const LookupEntry&, const LookupEntry&) = default;
};

// A row as the table shows it: valid while the table that gave it lives and is not replaced.
struct LookupEntryView {
  std::string_view ID1;
  std::string_view ID2;
  std::string_view SiteID;

  LookupEntryView() = default;
  LookupEntryView(std::string_view id1, std::string_view id2, std::string_view siteID)
      : ID1(id1), ID2(id2), SiteID(siteID) {}
  // Not explicit: an owned row reads as a view wherever one is due.
  LookupEntryView(const LookupEntry& entry)
      : ID1(entry.ID1), ID2(entry.ID2), SiteID(entry.SiteID) {}

  LookupEntry ToEntry() const { return {std::string(ID1), std::string(ID2), std::string(SiteID)}; }
  friend bool operator==(const LookupEntryView&, const LookupEntryView&) = default;
};

}  // namespace tolvanex
