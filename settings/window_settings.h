// The window's place and size in section "Window" of the settings file, beside the nine settings
// of section "General", which it leaves alone.
#pragma once

#include <string_view>

namespace tolvanex {

class Frm_Tolvanex;

inline constexpr std::string_view kWindowSection = "Window";

// Reads Placement from the settings file; none when a key is missing or not a whole number, or
// the size is not positive.
void LoadWindowPlacement(Frm_Tolvanex& form);
// Writes Placement when the window has one; does nothing while IniFile is empty.
void SaveWindowPlacement(Frm_Tolvanex& form);

}  // namespace tolvanex
