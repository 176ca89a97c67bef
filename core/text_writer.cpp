#include "core/text_writer.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "core/conversion.h"
#include "core/line_analysis.h"
#include "formats/date_value.h"
#include "formats/line_splitter.h"
#include "formats/number_text.h"
#include "model/text_file_cache.h"
#include "system/file_io.h"
#include "system/output_file.h"
#include "system/path_syntax.h"

namespace tolvanex {

namespace {

// A file this short holds no reading and is written anew from its header.
constexpr std::uint64_t kLongestEmptyFile = 10;
constexpr std::int64_t kSecondsInAMinute = 60;
constexpr std::size_t kFirstTailWindow = 1024;
// The look-back for a last date stops here: a file with no dated line in its last 64 MiB is
// taken as having none.
constexpr std::size_t kLongestTailWindow = 64u * 1024 * 1024;
// Longer lines are left to the read-back, which widens its look at the file's end step by step.
constexpr std::size_t kLongestLineReadBack = 1024 * 1024;

// An identifier ends up in a file name: a folder separator would put the file elsewhere, and a
// control character or NUL makes a name that cannot work.
bool AllowedInFileName(std::string_view identifier) {
  return std::none_of(identifier.begin(), identifier.end(), IsForbiddenInFileName);
}

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// The first field of the last line, from the end backwards, that has a comma and reads as a date.
// With wholeFirstLine false the first piece may be the cut end of a longer line and is not read.
// The tail is the end of the file: when it does not end in a line end, its last line was cut by
// a kill or saved so by an editor, and its date is not trusted.
std::optional<double> LastDateIn(std::string_view tail, bool wholeFirstLine,
                                 Conversion& conversion) {
  std::vector<std::string_view> lines;
  ForEachLine(tail, [&lines](std::string_view line) { lines.push_back(line); });
  if (!tail.empty() && !IsLineEnd(tail.back()) && !lines.empty()) lines.pop_back();
  for (std::size_t i = lines.size(); i-- > 0;) {
    if (i == 0 && !wholeFirstLine) break;
    std::string_view line = lines[i];
    auto comma = line.find(',');
    if (comma == std::string_view::npos) continue;
    auto date = ParseDateTime(line.substr(0, comma), conversion.Request.Regional,
                              conversion.Request.CurrentYear);
    if (date) return date;
  }
  return std::nullopt;
}

// What LastDateInFile would find after the line was appended to a file whose last date was
// known: the line's first field read as a date. No value when that is not certain: the line
// holds a line break of its own, is too long for a quick answer, or has no date in front.
std::optional<double> LastDateAfterLine(Conversion& conversion, std::string_view line,
                                        std::optional<double> dateBefore) {
  if (!dateBefore || line.size() > kLongestLineReadBack) return std::nullopt;
  if (FindLineBreak(line) != std::string_view::npos) return std::nullopt;
  auto comma = line.find(',');
  // Without a date in front, the answer lies in the lines before, and the file is to be read.
  if (comma == std::string_view::npos) return std::nullopt;
  return conversion.Run.TextFileDates.Read(
      line.substr(0, comma), conversion.Request.Regional,
      [&conversion] { return conversion.Request.CurrentYear; });
}

bool EndsWithLineEnd(const std::string& path) {
  io::File file = io::OpenForReading(path);
  std::uint64_t length = file.State().Size;
  if (length == 0) return true;
  std::string last = file.ReadRange(length - 1, 1);
  return !last.empty() && IsLineEnd(last[0]);
}

// LastDateInFile for a file known to be there, which tells from the same read whether the file's
// last byte ends a line (as an empty file does); no value for that when the read failed.
double LastDateAndEnding(Conversion& conversion, const std::string& path,
                         std::optional<bool>& endsWithLineEnd) {
  double result = 0;
  endsWithLineEnd.reset();
  try {
    io::FileState state;
    io::File file = io::OpenForReading(path, state);
    std::uint64_t length = state.Size;
    std::size_t window =
        static_cast<std::size_t>(std::min<std::uint64_t>(length, kFirstTailWindow));
    for (;;) {
      // One byte more than the window, where there is one, tells whether the window starts a line.
      bool atStart = window == length;
      std::uint64_t from = length - window - (atStart ? 0 : 1);
      std::string tail = file.ReadRange(from, window + (atStart ? 0 : 1));
      // The first look, at the file's very end, tells how the file ends.
      if (!endsWithLineEnd) {
        endsWithLineEnd = length == 0 || (!tail.empty() && IsLineEnd(tail.back()));
      }
      if (tail.empty()) break;
      bool wholeFirstLine = atStart || IsLineEnd(tail[0]);
      std::string_view view(tail);
      if (!atStart) view.remove_prefix(1);
      if (auto date = LastDateIn(view, wholeFirstLine, conversion)) {
        result = *date;
        break;
      }
      if (atStart || window >= kLongestTailWindow) break;
      window = static_cast<std::size_t>(std::min<std::uint64_t>(length, window * 2));
    }
  } catch (...) {
    std::string label(labels::kLastDateInFile);
    label += path;
    ReportFailure(conversion, label);
  }
  return result;
}

// Makes room among the open files for one more; a failure at a close is thrown with that file's
// path in path.
void MakeRoom(TextFileCache& files, std::string& path) {
  std::string failedPath;
  try {
    files.MakeRoom(failedPath);
  } catch (...) {
    path = failedPath;
    throw;
  }
}

// Closes the open file that is the file just opened at path under another name, if one is;
// true when one was. A failure at the close is thrown with that file's path in path.
bool CloseOtherName(TextFileCache& files, std::string& path, const io::FileIdentity& identity) {
  std::string failedPath;
  try {
    return files.CloseOtherNameOf(path, identity, failedPath);
  } catch (...) {
    path = failedPath;
    throw;
  }
}

// Closes the run's text files; a failure is thrown with its file's path in path.
void CloseAll(TextFileCache& files, std::string& path) {
  std::string failedPath;
  try {
    files.CloseAll(failedPath);
  } catch (...) {
    path = failedPath;
    throw;
  }
}

}  // namespace

bool CloseTextFiles(Conversion& conversion) {
  std::string path;
  try {
    CloseAll(conversion.Run.TextFiles, path);
    return true;
  } catch (...) {
    conversion.Run.StopRequested = true;
    std::string label(labels::kExportTextFile);
    label += path;
    ReportFailure(conversion, label);
  }
  return false;
}

std::string TextFileHeader(const Conversion& conversion) {
  std::string header = "Date, SN";
  for (int i = 1; i <= conversion.Reading.MaxColumn; ++i) {
    header += ", ";
    header += FormatOneDecimal(conversion.ColumnLevels[i]);
  }
  header += ' ';
  return header;
}

void AppendTextReadingLine(Conversion& conversion, std::string& line) {
  const auto& reading = conversion.Reading;
  AppendReadingDate(conversion, line, reading.ReadingTime);
  line += ", ";
  line += reading.SN;
  for (int i = 1; i <= reading.MaxColumn; ++i) {
    line += ", ";
    if (reading.Values[i]) AppendGeneralForm(line, *reading.Values[i], &reading.Digits[i]);
  }
  line += ' ';
}

double LastDateInFile(Conversion& conversion, const std::string& path) {
  if (!FileExists(path)) return 0;
  std::optional<bool> ended;
  return LastDateAndEnding(conversion, path, ended);
}

bool WriteToTextFile(Conversion& conversion) {
  bool result = false;
  std::string path;
  try {
    auto& reading = conversion.Reading;
    std::string_view id1 = reading.Fields.at(0);
    std::string_view id2 = reading.Fields.at(1);
    path = AddBackslash(conversion.Request.TextFolder);
    path += id1;
    path += '_';
    path += id2;
    path += '.';
    path += conversion.Request.Extension;
    if (!AllowedInFileName(id1) || !AllowedInFileName(id2)) throw Failure(kIdentifierNotAllowed);

    auto& files = conversion.Run.TextFiles;
    OpenTextFile* open = files.Find(path);
    double lastDate = 0;
    if (open == nullptr) {
      MakeRoom(files, path);
      // Every write goes to the file's end, also in a file this run makes, so that a file that
      // another program cuts meanwhile gets no hole; a name taken by anything but a regular file
      // is refused without blocking. A file made by the open is known to be new and empty: it
      // needs no look, no other name of it can be open, and it has no date to read back.
      std::optional<io::FileState> existing;
      io::File opened = io::CreateOrAppend(path, existing);
      // The lines of the file under another name are to be in it before its size counts.
      if (existing && CloseOtherName(files, path, existing->Identity)) existing = opened.State();
      std::uint64_t size = existing ? existing->Size : 0;
      bool hasData = size > kLongestEmptyFile;
      if (!hasData && size > 0) {
        opened.TruncateTo(0);
        size = 0;
      }
      // A file that this run closed to make room, and that nobody changed since, is known.
      std::optional<double> known = hasData ? files.KnownLastDate(path, *existing) : std::nullopt;
      io::OutputFile file(std::move(opened), size,
                          existing ? std::optional(existing->Identity) : std::nullopt);
      file.KeepToItsName();
      std::optional<std::string> firstLine;  // what the file gets before any reading
      if (known) {
        lastDate = *known;
      } else if (hasData) {
        std::optional<bool> ended;
        lastDate = LastDateAndEnding(conversion, path, ended);
        known = lastDate;
        // A last line without its end (cut, or saved so by an editor) is ended first, so that
        // the new line is not joined to it. (After a read-back that failed, and was reported,
        // the file's end is looked at on its own.)
        if (!(ended ? *ended : EndsWithLineEnd(path))) firstLine = "";
      } else {
        firstLine = TextFileHeader(conversion);
        // The header is all the file holds: its first field, when it reads as a date, is the
        // file's last date; otherwise it has none.
        known = LastDateAfterLine(conversion, *firstLine, lastDate).value_or(0.0);
      }
      open = &files.Add(path, std::move(file), known);
      // Once the file has its share of the buffers, which its buffer grows to.
      if (firstLine) open->File.WriteLine(*firstLine);
      open->File.CountReadingsIn(&conversion.Run.ReadingsPosted, &open->Tally.Appended);
    } else if (open->LastDate) {
      lastDate = *open->LastDate;
    } else {
      open->File.Flush();
      lastDate = LastDateInFile(conversion, path);
      open->LastDate = lastDate;
    }
    conversion.SetStatus(path);

    // Decided in whole seconds: a reading a minute on from the last line is new, and floating
    // point noise in the day counts never decides it.
    if (WholeSeconds(reading.ReadingTime) - WholeSeconds(lastDate) >= kSecondsInAMinute) {
      std::string& line = conversion.Run.Line;
      line.clear();
      AppendTextReadingLine(conversion, line);
      open->File.WriteReading(line);
      open->LastDate = LastDateAfterLine(conversion, line, open->LastDate);
    } else {
      conversion.SetStatus("Skipping: ", path);
      ++open->Tally.Skipped;
    }

    conversion.Observer.TextFileUsed(NameOfFile(path));
    result = true;
  } catch (...) {
    conversion.Run.StopRequested = true;
    conversion.Run.TextFiles.Drop(path);
    std::string label(labels::kExportTextFile);
    label += path;
    ReportFailure(conversion, label);
  }
  return result;
}

}  // namespace tolvanex
