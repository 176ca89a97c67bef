#include "settings/settings_store.h"

#include <array>
#include <charconv>
#include <string>

#include "base/default_paths.h"
#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "base/text.h"
#include "formats/date_pattern.h"
#include "formats/locale_number.h"
#include "settings/ini_location.h"
#include "system/folders.h"
#include "system/profile_files.h"

namespace tolvanex {

namespace {

inline constexpr const char* kInvalidPropertyValue = "Invalid property value";

// One setting: its key, the member that holds it (a text, or a check box state), and its default,
// which may lie in the data folder (DataFolder).
struct SettingRow {
  std::string_view Key;
  std::string Settings::*Text;
  int Settings::*State;
  std::string (*Default)(const std::string& dataFolder);
  bool DefaultInDataFolder = false;
  // For a text: whether a stored value takes; one that does not leaves the default in place.
  bool (*Takes)(std::string_view value) = nullptr;
};

// The order in which the settings are read and written; a new file lists the keys in this order.
const std::array<SettingRow, 9>& SettingRows() {
  static const std::array<SettingRow, 9> rows{{
      {"DataFile", &Settings::DataFile, nullptr,
       [](const std::string&) { return DefaultDataFile(); }},
      {"OutputPostFile", nullptr, &Settings::OutputPostFile,
       [](const std::string&) { return std::string("1"); }},
      {"PostFolder", &Settings::PostFolder, nullptr,
       [](const std::string&) { return DefaultPostFolder(); }},
      {"LookupFile", &Settings::LookupFile, nullptr,
       [](const std::string& folder) { return AddBackslash(folder) + "sondrel.lkp"; }, true},
      {"SortLookup", nullptr, &Settings::SortLookup,
       [](const std::string&) { return std::string("1"); }},
      {"OutputTextFile", nullptr, &Settings::OutputTextFile,
       [](const std::string&) { return std::string("0"); }},
      {"Extension", &Settings::Extension, nullptr,
       [](const std::string&) { return std::string("txt"); }},
      {"OutputFolder", &Settings::OutputFolder, nullptr,
       [](const std::string& folder) { return folder; }, true},
      {"DateFormat", &Settings::DateFormat, nullptr,
       [](const std::string&) { return std::string("d mmm yyyy HH:MM"); }, false,
       DatePatternAllowed},
  }};
  return rows;
}

// A stored check box state: a number in the user's locale, rounded halves to even, that must be
// one of the three states a check box has.
int CheckBoxState(std::string_view text, const RegionalSettings& regional) {
  auto number = ReadLocaleNumber(text, regional);
  if (!number) throw Failure(kTypeMismatch);
  double rounded = RoundHalfEven(*number);
  if (rounded < -32768 || rounded > 32767) throw Failure(kOverflow);
  if (rounded != 0 && rounded != 1 && rounded != 2) throw Failure(kInvalidPropertyValue);
  return static_cast<int>(rounded);
}

}  // namespace

std::string ReadSetting(const std::string& iniFile, std::string_view section, std::string_view key,
                        std::string_view defaultValue, ReportSink& reports) {
  try {
    return TrimNull(ReadProfileEntry(iniFile, section, key, defaultValue, kProfileBufferSize));
  } catch (...) {
    ReportFailure(reports, labels::kMyGetSetting);
    return std::string();
  }
}

void WriteSetting(const std::string& iniFile, std::string_view section, std::string_view key,
                  std::string_view value, ReportSink& reports) {
  try {
    // A refused write (read-only file or folder) is not reported: the old values simply stay.
    (void)WriteProfileEntry(iniFile, section, key, value);
  } catch (...) {
    ReportFailure(reports, labels::kMySaveSetting);
  }
}

void LoadSettings(const SettingsFile& file, Settings& values, ReportSink& reports) {
  try {
    std::string dataFolder = DataFolder(file.Program, file.Path);
    for (const SettingRow& row : SettingRows()) {
      std::string defaultValue = row.Default(dataFolder);
      std::string value = ReadSetting(file.Path, kSettingsSection, row.Key, defaultValue, reports);
      // The data folder is made when a default that lies in it is taken, so that the first run
      // can write the lookup file and the text files there.
      if (row.DefaultInDataFolder && value == defaultValue) MakeFolders(dataFolder);
      if (row.Text != nullptr) {
        bool takes = row.Takes == nullptr || row.Takes(value);
        values.*row.Text = takes ? value : defaultValue;
        if (!takes) throw Failure(kInvalidPropertyValue);
      } else {
        values.*row.State = CheckBoxState(value, file.Regional);
      }
    }
  } catch (...) {
    // The rows before the bad one stay loaded; it and the rows after it keep what they held.
    ReportFailure(reports, labels::kLoadSettings);
  }
}

void SaveSettings(const std::string& iniFile, const Settings& values, ReportSink& reports) {
  try {
    // Empty when start-up stopped early (a second instance): that window has no settings to keep.
    if (iniFile.empty()) return;
    for (const SettingRow& row : SettingRows()) {
      std::string value = row.Text != nullptr ? values.*row.Text : DecimalText(values.*row.State);
      WriteSetting(iniFile, kSettingsSection, row.Key, value, reports);
    }
  } catch (...) {
    ReportFailure(reports, labels::kSaveSettings);
  }
}

}  // namespace tolvanex
