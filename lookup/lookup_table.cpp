#include "lookup/lookup_table.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "formats/line_splitter.h"
#include "model/frm_tolvanex.h"
#include "model/show_error.h"
#include "system/file_io.h"

namespace tolvanex {

namespace {

// The table as the window keeps it: index 0 unused, 1 to count valid, the rest spare.
struct Table {
  std::vector<LookupEntry> Entries;
  std::int64_t Count = 0;
  std::optional<io::FileState> State;  // of the file it was read from
};

constexpr std::string_view kTemporaryKind = "lookup";

std::int64_t CapacityOf(const std::vector<LookupEntry>& entries) {
  return entries.empty() ? 0 : static_cast<std::int64_t>(entries.size()) - 1;
}

void Append(std::vector<LookupEntry>& entries, std::int64_t& count, LookupEntry entry) {
  // The array is grown before the count moves, so a failed growth leaves the table as it was.
  std::int64_t next = count + 1;
  if (next > CapacityOf(entries))
    entries.resize(static_cast<std::size_t>(next + kLookupGrowth) + 1);
  entries[static_cast<std::size_t>(next)] = std::move(entry);
  count = next;
}

// The number of valid entries, refusing a count that the array cannot hold.
std::size_t ValidCount(const Frm_Tolvanex& form) {
  if (form.LookupCount < 0 || form.LookupCount > LookupCapacity(form)) {
    throw std::logic_error("The lookup table's count does not fit its array");
  }
  return static_cast<std::size_t>(form.LookupCount);
}

// The first three comma-separated parts of a line, trimmed; false when it has fewer than three.
bool SplitEntry(std::string_view line, LookupEntry& entry) {
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
  entry.ID1 = parts[0];
  entry.ID2 = parts[1];
  entry.SiteID = parts[2];
  return true;
}

Table ReadLookupFile(const std::string& path) {
  Table table;
  table.Entries.resize(kLookupCapacityAfterLoad + 1);
  // A link is followed: a table that several users share is the file it names.
  std::string target = io::ResolvedPath(path);
  if (!io::NameIsTaken(target)) return table;  // no file yet: an empty table, not a failure
  if (!io::IsRegularFile(target)) throw io::NotRegularFile();

  table.State = io::StateOf(target);
  std::string bytes = io::ReadWholeFile(target);
  // Not even a header line to skip.
  if (bytes.empty()) throw Failure(kInputPastEndOfFile);
  bool header = true;
  LookupEntry entry;
  ForEachLine(bytes, [&](std::string_view line) {
    if (std::exchange(header, false)) return;
    if (line.empty() || !SplitEntry(line, entry)) return;
    Append(table.Entries, table.Count, std::move(entry));
  });
  return table;
}

std::string LookupFileText(const Frm_Tolvanex& form) {
  std::size_t count = ValidCount(form);
  std::string text(kLookupHeader);
  text += "\r\n";
  for (std::size_t i = 1; i <= count; ++i) {
    const LookupEntry& entry = form.Lookups[i];
    text += entry.ID1;
    text += ", ";
    text += entry.ID2;
    text += ", ";
    text += entry.SiteID;
    text += "\r\n";
  }
  return text;
}

bool InOrder(const LookupEntry& a, const LookupEntry& b) {
  // std::string compares its bytes as unsigned characters: ordinal, case-sensitive.
  if (a.ID1 != b.ID1) return a.ID1 < b.ID1;
  return a.ID2 < b.ID2;
}

}  // namespace

std::int64_t LookupCapacity(const Frm_Tolvanex& form) {
  return CapacityOf(form.Lookups);
}

void AppendLookup(Frm_Tolvanex& form, LookupEntry entry) {
  ValidCount(form);
  Append(form.Lookups, form.LookupCount, std::move(entry));
  form.LookupIndex.Add(form.Lookups[static_cast<std::size_t>(form.LookupCount)], form.LookupCount);
}

bool LoadLookup(Frm_Tolvanex& form) {
  try {
    // Built aside and taken over only when complete, so that a file that cannot be read costs
    // nothing of the table in memory.
    const std::string& path = form.Txt_File[1].Text;
    Table table = ReadLookupFile(path);
    // A save that a kill cut short leaves its temporary beside the file; the next run clears it.
    io::RemoveStaleTemporaries(io::FolderOfPath(io::ResolvedPath(path)), kTemporaryKind);
    form.Lookups = std::move(table.Entries);
    form.LookupCount = table.Count;
    form.LookupIndex.Rebuild(form.Lookups, form.LookupCount);
    form.LookupLoaded = true;
    form.LookupFileState = table.State;
    return true;
  } catch (...) {
    ShowError(form, labels::kLoadLookup);
    return false;
  }
}

bool LookupFileChanged(const Frm_Tolvanex& form) {
  return io::StateOf(form.Txt_File[1].Text) != form.LookupFileState;
}

bool SaveLookupFile(Frm_Tolvanex& form) {
  std::string path = form.Txt_File[1].Text;
  try {
    // The whole content is built first and then replaces the file in one step: a failure at any
    // point leaves the old file as it was, never a half-written one.
    io::ReplaceWholeFile(path, LookupFileText(form), kTemporaryKind);
    form.LookupFileState = io::StateOf(path);
    return true;
  } catch (...) {
    ShowError(form, std::string(labels::kSaveLookupFile) + path);
    return false;
  }
}

void SortLookups(Frm_Tolvanex& form) {
  try {
    std::size_t count = ValidCount(form);
    if (count < 2) return;
    // Exchanging out-of-order neighbours until a pass makes no exchange yields the one ordering
    // by (ID1, ID2) in which equal pairs keep their order: exactly what a stable sort gives, in
    // n log n rather than n squared, which matters for tables of tens of thousands of entries.
    auto first = form.Lookups.begin() + 1;
    std::stable_sort(first, first + static_cast<std::ptrdiff_t>(count), InOrder);
    form.LookupIndex.Rebuild(form.Lookups, form.LookupCount);
  } catch (...) {
    ShowError(form, labels::kSortLookups);
  }
}

}  // namespace tolvanex
