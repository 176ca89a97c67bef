#include "core/post_writer.h"

#include <cerrno>
#include <cmath>
#include <system_error>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "core/conversion.h"
#include "core/site_resolution.h"
#include "formats/date_pattern.h"
#include "formats/number_text.h"

namespace tolvanex {

namespace {

constexpr int kPostSlots = 16;
// The plain name, then the letters A to Y; Z is never used.
constexpr int kNames = 26;
constexpr std::string_view kTemporaryKind = "post";

std::string CandidateName(const std::string& stem, int index) {
  std::string name = stem;
  if (index > 0) name += static_cast<char>('A' + index - 1);
  name += ".pst";
  return name;
}

// The first name from index on that nothing holds; a failure when they are all taken, with the
// last candidate in path.
int FirstFreeName(const std::string& stem, int index, std::string& path) {
  for (; index < kNames; ++index) {
    path = CandidateName(stem, index);
    if (!io::NameIsTaken(path)) return index;
  }
  throw Failure(kNoFreePostFileName);
}

// A post file is written under a temporary name in the post folder and gets its name only when
// it is complete, so that no post file is ever seen with half its readings or a cut line.
void StartPostFile(Conversion& conversion, std::string& path) {
  auto& run = conversion.Run;
  const auto& reading = conversion.Reading;
  const std::string& folder = conversion.Request.PostFolder;
  std::string stem = AddBackslash(folder);
  stem += FormatDate(reading.ReadingTime, "yymmmdd", conversion.Request.Regional);
  int index = FirstFreeName(stem, 0, path);
  if (!run.PostFolderSwept || run.SweptPostFolder != folder) {
    io::RemoveStaleTemporaries(folder, kTemporaryKind);
    run.SweptPostFolder = folder;
    run.PostFolderSwept = true;
  }
  run.PostFile = io::OutputFile(io::CreateTemporary(folder, kTemporaryKind));
  run.PostFile.CountReadingsIn(&run.OpenPostFileReadings);
  run.OpenPostFileReadings = 0;
  run.PostFileStem = stem;
  run.PostFileIndex = index;
}

// After a failure: the post file in hand is given up and its temporary removed; it never was.
void DiscardPostFile(Conversion& conversion) {
  auto& run = conversion.Run;
  if (run.PostFile.IsOpen()) io::DiscardTemporary(run.PostFile.Handle());
  run.PostFile.Abandon();
  run.OpenPostFileReadings = 0;
  if (!run.PostFilesStarted.empty()) run.PostFilesStarted.pop_back();
}

// Flushes the open post file to disk and gives it the first free name from the one shown on, a
// name taken meanwhile moving on to the next letter. A file that nothing reached is removed.
void PublishPostFile(Conversion& conversion, std::string& path) {
  auto& run = conversion.Run;
  run.PostFile.FlushToDisk();
  io::File& file = run.PostFile.Handle();
  if (file.State().Size == 0) {
    DiscardPostFile(conversion);
    return;
  }
  for (int index = run.PostFileIndex;; ++index) {
    index = FirstFreeName(run.PostFileStem, index, path);
    try {
      io::PublishTemporary(file, path);
      break;
    } catch (const std::system_error& failure) {
      if (failure.code() != std::errc::file_exists) throw;
    }
  }
  // Flushed to the disk before it got its name, the file is there whole: it and its readings
  // count from here on, whatever its close says.
  conversion.NamePostFile(path);
  ++run.PostFileCount;
  run.ReadingsPosted += run.OpenPostFileReadings;
  run.PostFileReadings += run.OpenPostFileReadings;
  run.OpenPostFileReadings = 0;
  run.PostFilesStarted.back() = path;
  run.PostFile.Close();
}

void WriteHeader(io::OutputFile& file, std::string_view sn) {
  std::string line = " 503DR-SD,";
  line += sn;
  line += ",CNT,9999,0,16";
  file.WriteLine(line);
  for (int i = 1; i <= kPostSlots; ++i) {
    line.clear();
    AppendDecimal(line, i);
    line += ", Calibration  ";
    AppendDecimal(line, i);
    line += "    ";
    file.WriteLine(line);
  }
}

}  // namespace

void AppendPostReadingLine(const CurrentReading& reading, KnownDigits& time,
                           std::int32_t siteNumber, std::string& line) {
  AppendDecimal(line, siteNumber);
  line += ',';
  // The readings of one minute share their time: its digits are found once for all of them.
  if (reading.ReadingTime > 0 && std::isfinite(reading.ReadingTime) &&
      time.Magnitude != reading.ReadingTime) {
    time = DigitsFor(reading.ReadingTime);
  }
  AppendGeneralForm(line, reading.ReadingTime, &time);
  for (int slot = kPostSlots; slot >= 1; --slot) {
    const auto& value = reading.Values[slot];
    if (!value) {
      line += ",0";
      continue;
    }
    // The print form: a blank where a minus sign would stand, the magnitude, a blank.
    line += ',';
    line += std::signbit(*value) && *value != 0 ? '-' : ' ';
    AppendGeneralForm(line, std::fabs(*value), &reading.Digits[slot]);
    line += ' ';
  }
  line += ' ';
}

bool ClosePostFile(Conversion& conversion) {
  if (!conversion.Run.PostFile.IsOpen()) return true;
  std::string path = conversion.PostFilePath;
  try {
    PublishPostFile(conversion, path);
    return true;
  } catch (...) {
    DiscardPostFile(conversion);
    std::string label(labels::kExportPostFile);
    label += path;
    ReportFailure(conversion, label);
  }
  return false;
}

bool WriteToPostFile(Conversion& conversion) {
  bool result = false;
  auto& run = conversion.Run;
  const auto& reading = conversion.Reading;
  if (run.PostFile.IsOpen() && reading.SN != conversion.PostFileSN && !ClosePostFile(conversion)) {
    return result;
  }
  std::string path = run.PostFile.IsOpen() ? conversion.PostFilePath : std::string();
  try {
    if (!run.PostFile.IsOpen()) {
      StartPostFile(conversion, path);
      run.PostFilesStarted.push_back(path);
      conversion.NamePostFile(path);
      WriteHeader(run.PostFile, reading.SN);
      conversion.PostFileSN.assign(reading.SN);
    }

    std::int32_t siteNumber = 0;
    if (!FindSiteNumber(conversion, siteNumber)) return result;

    std::string& line = run.Line;
    line.clear();
    AppendPostReadingLine(reading, run.ReadingTimeDigits, siteNumber, line);
    run.PostFile.WriteReading(line);
    result = true;
  } catch (...) {
    std::string label(labels::kExportPostFile);
    label += path;
    ReportFailure(conversion, label);
  }
  return result;
}

}  // namespace tolvanex
