#include "lookup/lookup_table.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "formats/data_file_reader.h"
#include "system/file_io.h"

namespace tolvanex {

namespace {

// A table read from the file, with the file's state when it was read.
struct Table {
  PackedLookupTable Entries;
  std::optional<io::FileState> State;
};

constexpr std::string_view kTemporaryKind = "lookup";

// The first three comma-separated parts of a line, trimmed; false when it has fewer than three.
bool SplitEntry(std::string_view line, LookupEntryView& entry) {
  std::string_view parts[3];
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    if (start > line.size()) return false;
    std::size_t comma = line.find(',', start);
    std::size_t end = comma == std::string_view::npos ? line.size() : comma;
    parts[i] = TrimBlanks(line.substr(start, end - start));
    // Past the end once no comma is left, so that a missing part is noticed.
    start = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
  }
  entry = {parts[0], parts[1], parts[2]};
  return true;
}

Table ReadLookupFile(const std::string& path) {
  Table table;
  // A link is followed: a table that several users share is the file it names.
  std::string target = io::ResolvedPath(path);
  bool exists = io::NameIsTaken(target);
  if (exists && !io::IsRegularFile(target)) throw io::NotRegularFile();
  if (exists) table.State = io::StateOf(target);
  // The table's blocks and the read buffer are sized for the file: most lookup files are small,
  // and a buffer is zeroed when it is made (a byte more finds the end in one read).
  std::uint64_t size = table.State ? table.State->Size : 0;
  table.Entries = PackedLookupTable::ForFileOf(size);
  table.Entries.RaiseCapacity(kLookupCapacityAfterLoad);
  if (!exists) return table;  // no file yet: an empty table, not a failure

  DataFileReader lines(target,
                       static_cast<std::size_t>(std::min<std::uint64_t>(
                           kLookupReadBlockBytes, std::max<std::uint64_t>(size + 1, 4096))));
  bool header = true;
  LookupEntryView entry;
  for (std::string_view line; lines.ReadLine(line);) {
    if (std::exchange(header, false)) continue;
    if (line.empty() || !SplitEntry(line, entry)) continue;
    table.Entries.Append(entry);
  }
  // Not even a header line to skip.
  if (lines.BytesRead() == 0) throw Failure(kInputPastEndOfFile);
  table.Entries.IndexPairs();
  return table;
}

// Writes the header and the entries in parts of about a read block each: a long table is never
// held a second time as text.
void WriteLookupFile(const PackedLookupTable& table, io::File& file) {
  std::string text(kLookupHeader);
  text += "\r\n";
  for (std::int64_t i = 1; i <= table.Count(); ++i) {
    LookupEntryView entry = table[i];
    text += entry.ID1;
    text += ", ";
    text += entry.ID2;
    text += ", ";
    text += entry.SiteID;
    text += "\r\n";
    if (text.size() >= kLookupReadBlockBytes) {
      file.WriteAll(text);
      text.clear();
    }
  }
  if (!text.empty()) file.WriteAll(text);
}

}  // namespace

bool LoadLookupTable(LookupStore& lookup, const std::string& path, ReportSink& reports) {
  try {
    // Built aside and taken over only when complete, so that a file that cannot be read costs
    // nothing of the table in memory.
    Table table = ReadLookupFile(path);
    // A save that a kill cut short leaves its temporary beside the file; the next run clears it.
    io::RemoveStaleTemporaries(io::FolderOfPath(io::ResolvedPath(path)), kTemporaryKind);
    lookup.Entries = std::move(table.Entries);
    lookup.Loaded = true;
    lookup.FileState = table.State;
    return true;
  } catch (...) {
    ReportFailure(reports, labels::kLoadLookup);
    return false;
  }
}

bool LookupFileChanged(const LookupStore& lookup, const std::string& path) {
  return io::StateOf(path) != lookup.FileState;
}

bool SaveLookupFile(LookupStore& lookup, const std::string& path, ReportSink& reports) {
  try {
    // The content goes to a temporary that replaces the file in one step: a failure at any point
    // leaves the old file as it was, never a half-written one.
    const PackedLookupTable& table = lookup.Entries;
    io::ReplaceWholeFileWith(
        path, [&table](io::File& file) { WriteLookupFile(table, file); }, kTemporaryKind);
    lookup.FileState = io::StateOf(path);
    return true;
  } catch (...) {
    ReportFailure(reports, std::string(labels::kSaveLookupFile) + path);
    return false;
  }
}

void SortLookupTable(LookupStore& lookup, ReportSink& reports) {
  try {
    // Exchanging out-of-order neighbours until a pass makes no exchange yields the one ordering
    // by (ID1, ID2) in which equal pairs keep their order: exactly what a stable sort gives, in
    // n log n rather than n squared, which matters for tables of tens of thousands of entries.
    lookup.Entries.SortByIdentifiers();
  } catch (...) {
    ReportFailure(reports, labels::kSortLookups);
  }
}

}  // namespace tolvanex
