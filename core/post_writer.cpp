#include "core/post_writer.h"

#include <cerrno>
#include <cmath>
#include <system_error>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "formats/date_pattern.h"
#include "formats/number_text.h"
#include "lookup/site_resolution.h"
#include "model/frm_tolvanex.h"
#include "model/show_error.h"

namespace tolvanex {

namespace {

constexpr int kPostSlots = 16;
// After the plain name, the letters A to Y; Z is never used.
constexpr char kFirstLetter = 'A';
constexpr char kLastLetter = 'Y';

// Creates the first free name of stem + (nothing, A ... Y) + ".pst". The creation itself is the
// test: a name that exists, whoever made it and whenever, is never opened for writing.
void CreatePostFile(io::OutputFile& file, const std::string& stem, std::string& candidate) {
  for (char letter = kFirstLetter - 1; letter <= kLastLetter; ++letter) {
    candidate = stem;
    if (letter >= kFirstLetter) candidate += letter;
    candidate += ".pst";
    try {
      file.Open(candidate, io::OutputFile::Mode::CreateNew);
      return;
    } catch (const std::system_error& e) {
      if (e.code() != std::errc::file_exists) throw;
    }
  }
  throw Failure(kNoFreePostFileName);
}

void WriteHeader(io::OutputFile& file, const std::string& sn) {
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

bool ExportPostFile(Frm_Tolvanex& form) {
  bool result = false;
  auto& run = form.RunState;
  std::string path = run.PostFile.IsOpen() ? run.PostFile.Path() : std::string();
  try {
    const auto& reading = form.CurrentReading;
    if (run.PostFile.IsOpen() && reading.SN != form.PostFileSN) run.PostFile.Close();
    if (!run.PostFile.IsOpen()) {
      std::string stem = AddBackslash(form.Lbl_Folder[0].Caption);
      stem += FormatDate(reading.ReadingTime, "yymmmdd", form.Regional);
      CreatePostFile(run.PostFile, stem, path);
      run.PostFilesStarted.push_back(path);
      form.Lbl_File[0].Caption = path;
      SetProcessing(form);
      WriteHeader(run.PostFile, reading.SN);
      form.PostFileSN = reading.SN;
      ++run.PostFileCount;
    }

    std::int32_t siteNumber = 0;
    if (!GetSiteID(form, siteNumber)) return result;

    std::string& line = run.Line;
    line.clear();
    AppendPostReadingLine(reading, run.ReadingTimeDigits, siteNumber, line);
    run.PostFile.WriteLine(line);
    ++run.ReadingsPosted;
    ++run.PostFileReadings;
    result = true;
  } catch (...) {
    std::string label(labels::kExportPostFile);
    label += path;
    ShowError(form, label);
  }
  return result;
}

}  // namespace tolvanex
