// The lookup file reader and writer, through the lookup table's routines.
//
// Input: the bytes of a lookup file.
// - LoadLookupTable gives the entries the file's rules give: the first line skipped, every further
//   line split at its commas, lines of fewer than three parts skipped, spaces around the parts
//   trimmed. Its only failure on a readable file is the empty file, which has no header.
// - The capacity follows the growth rule: 50, then 10 past the count whenever it is passed.
// - Saved and loaded again, the table comes back unchanged; sorted, it is ordered by ID1 then ID2
//   with entries of equal keys in their former order, and that too survives a save and a load.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lookup/lookup_table.h"
#include "system/file_io.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/recording_sink.h"

namespace tolvanex::fuzz {

using testing::RecordingSink;
namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::vector<LookupEntry> EntriesByTheRules(std::string_view file) {
  std::vector<LookupEntry> entries;
  std::vector<std::string_view> lines = LinesOf(file);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string_view> parts;
    std::string_view rest = lines[i];
    for (;;) {
      std::size_t comma = rest.find(',');
      parts.push_back(rest.substr(0, comma));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    if (lines[i].empty() || parts.size() < 3) continue;
    entries.push_back({std::string(TrimSpaces(parts[0])), std::string(TrimSpaces(parts[1])),
                       std::string(TrimSpaces(parts[2]))});
  }
  return entries;
}

std::vector<LookupEntry> Table(const LookupStore& store) {
  std::vector<LookupEntry> entries;
  for (std::int64_t i = 1; i <= store.Entries.Count(); ++i)
    entries.push_back(store.Entries[i].ToEntry());
  return entries;
}

void CheckCapacity(const LookupStore& store) {
  std::int64_t count = store.Entries.Count();
  std::int64_t expected = 50;
  if (count > 50) expected = 50 + 11 * ((count - 50 + 10) / 11);
  FUZZ_CHECK(store.Entries.Capacity() == expected);
}

void SaveAndLoad(LookupStore& store, const std::string& path, RecordingSink& reports) {
  std::vector<LookupEntry> before = Table(store);
  FUZZ_CHECK(SaveLookupFile(store, path, reports));
  std::string expected = "ID1, ID2, SiteID\r\n";
  for (const LookupEntry& entry : before) {
    expected += entry.ID1 + ", " + entry.ID2 + ", " + entry.SiteID + "\r\n";
  }
  FUZZ_CHECK(io::ReadWholeFile(path) == expected);
  store.Loaded = false;
  FUZZ_CHECK(LoadLookupTable(store, path, reports));
  FUZZ_CHECK(store.Loaded);
  FUZZ_CHECK(Table(store) == before);
  CheckCapacity(store);
  FUZZ_CHECK(reports.Reports.empty());
}

// For each identifier pair, the site numbers of its entries in table order.
std::map<std::pair<std::string, std::string>, std::vector<std::string>> SitesByPair(
    const std::vector<LookupEntry>& entries) {
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> sites;
  for (const LookupEntry& entry : entries) sites[{entry.ID1, entry.ID2}].push_back(entry.SiteID);
  return sites;
}

void CheckSort(LookupStore& store, RecordingSink& reports) {
  std::vector<LookupEntry> before = Table(store);
  SortLookupTable(store, reports);
  FUZZ_CHECK(reports.Reports.empty());
  std::vector<LookupEntry> after = Table(store);
  FUZZ_CHECK(after.size() == before.size());
  for (std::size_t i = 1; i < after.size(); ++i) {
    const LookupEntry& a = after[i - 1];
    const LookupEntry& b = after[i];
    FUZZ_CHECK(a.ID1 < b.ID1 || (a.ID1 == b.ID1 && a.ID2 <= b.ID2));
  }
  FUZZ_CHECK(SitesByPair(after) == SitesByPair(before));
}

}  // namespace
}  // namespace tolvanex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvanex;
  using namespace tolvanex::fuzz;
  static const std::string path = [] { return ScratchFolder() + "/sites.lkp"; }();
  WriteBytes(path, data, size);

  LookupStore store;
  RecordingSink reports;
  if (!LoadLookupTable(store, path, reports)) {
    FUZZ_CHECK(size == 0);
    FUZZ_CHECK(!store.Loaded);
    FUZZ_CHECK(reports.Texts() ==
               std::vector<std::string>{"Input past end of file\r\nTolvanex:LoadLookup"});
    return 0;
  }
  FUZZ_CHECK(store.Loaded && reports.Reports.empty());
  std::string_view file(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(Table(store) == EntriesByTheRules(file));
  CheckCapacity(store);

  SaveAndLoad(store, path, reports);
  CheckSort(store, reports);
  SaveAndLoad(store, path, reports);
  return 0;
}
