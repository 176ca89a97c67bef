// The lookup table of site numbers and its file. The table is kept loaded from one run to the
// next, with the state its file had when it was read or written.
//
// The file is 8-bit text: a header line, then one entry per line as "ID1, ID2, SiteID". On reading,
// the first line is skipped whatever it holds; CR LF, a lone CR and a lone LF each end a line; a
// line is split at every comma with no quoting; spaces (not tabs) around the first three parts are
// trimmed; lines of fewer than three parts are skipped and parts after the third are ignored. The
// file is read in blocks, so that loading a table never holds the whole file as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/reports.h"
#include "model/packed_lookup_table.h"
#include "system/file_io.h"

namespace tolvanex {

// The lookup table in memory: entries 1 to Entries.Count(), with the index that finds a pair's
// first entry without going over the table.
struct LookupStore {
  PackedLookupTable Entries;
  // False until the table has been read, and again when its file may have changed (the user
  // edited or chose it): the next need reads it anew.
  bool Loaded = false;
  // The lookup file as it stood when the table was read or written, to know when another
  // program has changed it since.
  std::optional<io::FileState> FileState;
};

inline constexpr std::string_view kLookupHeader = "ID1, ID2, SiteID";
// The capacity of a freshly loaded table, and how far it grows past the count when it is full.
inline constexpr std::int64_t kLookupCapacityAfterLoad = 50;
inline constexpr std::int64_t kLookupGrowth = PackedLookupTable::kCapacityGrowth;
// The size of the blocks the lookup file is read in.
inline constexpr std::size_t kLookupReadBlockBytes = std::size_t{1} << 20;

// Rebuilds the table from the lookup file at path; a missing file gives an empty table. True when
// the table has been rebuilt, which also sets Loaded. On a failure the table is left as it was
// before the call, Loaded stays false, and the failure is reported under "LoadLookup". The
// capacity of a new entry grows to the count + 10 whenever it does not fit, so a freshly loaded
// table grows through 50, 61, 72, ...
bool LoadLookupTable(LookupStore& lookup, const std::string& path, ReportSink& reports);

// True when the lookup file is no longer as it stood when the table was last read or written:
// another program (a second run, an editor) has changed, replaced or removed it since.
bool LookupFileChanged(const LookupStore& lookup, const std::string& path);

// Writes the header and entries 1 to Count() to the lookup file, replacing it as a whole: on a
// failure the old file stays exactly as it was. True when the file was written.
bool SaveLookupFile(LookupStore& lookup, const std::string& path, ReportSink& reports);

// Orders entries 1 to Count() by ID1, then ID2, comparing bytes ordinally (case-sensitive,
// textual: "10" before "9", "B" before "a"). Entries with equal keys keep their order.
void SortLookupTable(LookupStore& lookup, ReportSink& reports);

}  // namespace tolvanex
