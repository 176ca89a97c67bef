// The nine settings of the window, kept in section "General" of the settings file IniFile.
#pragma once

#include <string>
#include <string_view>

namespace tolvanex {

class Frm_Tolvanex;

inline constexpr std::string_view kSettingsSection = "General";

// The value of a key of IniFile, or the default when the file, the section or the key is missing;
// at most 254 characters. Reports a failure under "MyGetSetting" and gives the empty text.
std::string MyGetSetting(Frm_Tolvanex& form, std::string_view section, std::string_view key,
                         std::string_view defaultValue);
// Sets a key of IniFile; a write that the system refuses passes silently.
void MySaveSetting(Frm_Tolvanex& form, std::string_view section, std::string_view key,
                   std::string_view value);

// Puts the nine settings into the controls, with their defaults.
void LoadSettings(Frm_Tolvanex& form);
// Writes the nine settings from the controls; does nothing while IniFile is empty.
void SaveSettings(Frm_Tolvanex& form);

}  // namespace tolvanex
