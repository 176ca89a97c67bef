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
#include "model/frm_tolvanex.h"
#include "model/show_error.h"
#include "settings/ini_location.h"
#include "system/folders.h"
#include "system/profile_files.h"

namespace tolvanex {

namespace {

inline constexpr const char* kInvalidPropertyValue = "Invalid property value";

// One setting: its key, the control property that holds it while the program runs (a text, or a
// check box state), and its default, which may lie in the data folder (DataFolder).
struct SettingRow {
  std::string_view Key;
  std::string* (*Text)(Frm_Tolvanex& form);
  int* (*State)(Frm_Tolvanex& form);
  std::string (*Default)(const std::string& dataFolder);
  bool DefaultInDataFolder = false;
  // For a text: whether a stored value takes; one that does not leaves the default in place.
  bool (*Takes)(std::string_view value) = nullptr;
};

// The order in which the settings are read and written; a new file lists the keys in this order.
const std::array<SettingRow, 9>& SettingRows() {
  static const std::array<SettingRow, 9> rows{{
      {"DataFile", [](Frm_Tolvanex& f) { return &f.Txt_File[0].Text; }, nullptr,
       [](const std::string&) { return DefaultDataFile(); }},
      {"OutputPostFile", nullptr, [](Frm_Tolvanex& f) { return &f.Chk_OutputPostFile.Value; },
       [](const std::string&) { return std::string("1"); }},
      {"PostFolder", [](Frm_Tolvanex& f) { return &f.Lbl_Folder[0].Caption; }, nullptr,
       [](const std::string&) { return DefaultPostFolder(); }},
      {"LookupFile", [](Frm_Tolvanex& f) { return &f.Txt_File[1].Text; }, nullptr,
       [](const std::string& folder) { return AddBackslash(folder) + "sondrel.lkp"; }, true},
      {"SortLookup", nullptr, [](Frm_Tolvanex& f) { return &f.Chk_SortLookup.Value; },
       [](const std::string&) { return std::string("1"); }},
      // Singular, unlike the control's name.
      {"OutputTextFile", nullptr, [](Frm_Tolvanex& f) { return &f.Chk_OutputTextFiles.Value; },
       [](const std::string&) { return std::string("0"); }},
      {"Extension", [](Frm_Tolvanex& f) { return &f.Txt_Extension.Text; }, nullptr,
       [](const std::string&) { return std::string("txt"); }},
      {"OutputFolder", [](Frm_Tolvanex& f) { return &f.Lbl_Folder[1].Caption; }, nullptr,
       [](const std::string& folder) { return folder; }, true},
      {"DateFormat", [](Frm_Tolvanex& f) { return &f.Cmb_Dateformat.Text; }, nullptr,
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

std::string MyGetSetting(Frm_Tolvanex& form, std::string_view section, std::string_view key,
                         std::string_view defaultValue) {
  try {
    return TrimNull(ReadProfileEntry(form.IniFile, section, key, defaultValue, kProfileBufferSize));
  } catch (...) {
    ShowError(form, labels::kMyGetSetting);
    return std::string();
  }
}

void MySaveSetting(Frm_Tolvanex& form, std::string_view section, std::string_view key,
                   std::string_view value) {
  try {
    // A refused write (read-only file or folder) is not reported: the old values simply stay.
    (void)WriteProfileEntry(form.IniFile, section, key, value);
  } catch (...) {
    ShowError(form, labels::kMySaveSetting);
  }
}

void LoadSettings(Frm_Tolvanex& form) {
  try {
    std::string dataFolder = DataFolder(form.Desktop.Program(), form.IniFile);
    for (const SettingRow& row : SettingRows()) {
      std::string defaultValue = row.Default(dataFolder);
      std::string value = MyGetSetting(form, kSettingsSection, row.Key, defaultValue);
      // The data folder is made when a default that lies in it is taken, so that the first run
      // can write the lookup file and the text files there.
      if (row.DefaultInDataFolder && value == defaultValue) MakeFolders(dataFolder);
      if (row.Text != nullptr) {
        bool takes = row.Takes == nullptr || row.Takes(value);
        *row.Text(form) = takes ? value : defaultValue;
        if (!takes) throw Failure(kInvalidPropertyValue);
      } else {
        *row.State(form) = CheckBoxState(value, form.Regional);
      }
    }
  } catch (...) {
    // The rows before the bad one stay loaded; it and the rows after it keep what they held.
    ShowError(form, labels::kLoadSettings);
  }
}

void SaveSettings(Frm_Tolvanex& form) {
  try {
    // Empty when start-up stopped early (a second instance): that window has no settings to keep.
    if (form.IniFile.empty()) return;
    for (const SettingRow& row : SettingRows()) {
      std::string value = row.Text != nullptr ? *row.Text(form) : DecimalText(*row.State(form));
      MySaveSetting(form, kSettingsSection, row.Key, value);
    }
  } catch (...) {
    ShowError(form, labels::kSaveSettings);
  }
}

}  // namespace tolvanex
