// The nine settings, kept in section "General" of the settings file.
#pragma once

#include <string>
#include <string_view>

#include "base/reports.h"
#include "system/desktop.h"
#include "system/regional_settings.h"

namespace tolvanex {

inline constexpr std::string_view kSettingsSection = "General";

// The nine settings as values. The check boxes' states are 0 unticked, 1 ticked and 2 greyed; a
// state other than 0 counts as set.
struct Settings {
  std::string DataFile;
  int OutputPostFile = 0;
  std::string PostFolder;
  std::string LookupFile;
  int SortLookup = 0;
  int OutputTextFile = 0;
  std::string Extension;
  std::string OutputFolder;
  std::string DateFormat;
  friend bool operator==(const Settings&, const Settings&) = default;
};

// Where the settings live and how they are read: the settings file, the program (whose folder
// the defaults may name) and the regional settings that numbers in it are read with.
struct SettingsFile {
  std::string Path;
  ProgramInfo Program;
  RegionalSettings Regional;
};

// The value of a key of the settings file, or the default when the file, the section or the key
// is missing; at most 254 characters. Reports a failure under "MyGetSetting" and gives the empty
// text.
std::string ReadSetting(const std::string& iniFile, std::string_view section, std::string_view key,
                        std::string_view defaultValue, ReportSink& reports);
// Sets a key of the settings file; a write that the system refuses passes silently.
void WriteSetting(const std::string& iniFile, std::string_view section, std::string_view key,
                  std::string_view value, ReportSink& reports);

// Reads the nine settings, with their defaults, into values. After a failure, reported under
// "LoadSettings", the settings before the bad one are read and it and the rest keep what they
// held.
void LoadSettings(const SettingsFile& file, Settings& values, ReportSink& reports);
// Writes the nine settings; does nothing while the settings file's path is empty.
void SaveSettings(const std::string& iniFile, const Settings& values, ReportSink& reports);

}  // namespace tolvanex
