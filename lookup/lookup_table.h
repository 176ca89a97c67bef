// The lookup table of site numbers and its file. The table lives in the window (Lookups,
// LookupLoaded); the file's path is the text of Txt_File(1) at the moment each
// operation starts.
//
// The file is 8-bit text: a header line, then one entry per line as "ID1, ID2, SiteID". On reading,
// the first line is skipped whatever it holds; CR LF, a lone CR and a lone LF each end a line; a
// line is split at every comma with no quoting; spaces (not tabs) around the first three parts are
// trimmed; lines of fewer than three parts are skipped and parts after the third are ignored. The
// file is read in blocks, so that loading a table never holds the whole file as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/packed_lookup_table.h"

namespace tolvanex {

class Frm_Tolvanex;

inline constexpr std::string_view kLookupHeader = "ID1, ID2, SiteID";
// The capacity of a freshly loaded table, and how far it grows past the count when it is full.
inline constexpr std::int64_t kLookupCapacityAfterLoad = 50;
inline constexpr std::int64_t kLookupGrowth = PackedLookupTable::kCapacityGrowth;
// The size of the blocks the lookup file is read in.
inline constexpr std::size_t kLookupReadBlockBytes = std::size_t{1} << 20;

// The capacity of Lookups: entries up to it count as room, entry 0 is never used.
std::int64_t LookupCapacity(const Frm_Tolvanex& form);

// Adds an entry after the last one. The capacity grows to the count + 10 whenever the new entry
// does not fit, so a freshly loaded table grows through 50, 61, 72, ...
void AppendLookup(Frm_Tolvanex& form, LookupEntryView entry);

// Rebuilds the table from the lookup file; a missing file gives an empty table. True when the
// table has been rebuilt, which also sets LookupLoaded. On a failure the table is left as it was
// before the call, LookupLoaded stays false, and the failure is reported under "LoadLookup".
bool LoadLookup(Frm_Tolvanex& form);

// True when the lookup file is no longer as it stood when the table was last read or written:
// another program (a second run, an editor) has changed, replaced or removed it since.
bool LookupFileChanged(const Frm_Tolvanex& form);

// Writes the header and entries 1 to Lookups.Count() to the lookup file, replacing it as a whole:
// on a failure the old file stays exactly as it was. True when the file was written.
bool SaveLookupFile(Frm_Tolvanex& form);

// Orders entries 1 to Lookups.Count() by ID1, then ID2, comparing bytes ordinally (case-sensitive,
// textual: "10" before "9", "B" before "a"). Entries with equal keys keep their order.
void SortLookups(Frm_Tolvanex& form);

}  // namespace tolvanex
