// The window as a whole: start-up, the ways of closing it, the File and Help menus.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/settings_store.h"
#include "ui/platform.h"

namespace tolvanex {

class Frm_Tolvanex;

// The date formats offered by Cmb_Dateformat, in the order the list shows them.
inline constexpr std::array<std::string_view, 4> kDateFormats{"d mmm yyyy HH:MM", "m/d/yyyy HH:MM",
                                                              "yyyy-mm-dd HH:MM", "d/m/yyyy HH:MM"};

inline constexpr std::string_view kAboutTitle = "Quenbury";

// Runs once before the window is first shown. A second instance only says so and closes its
// window; otherwise the settings file is located and read and the files list filled.
void Form_Load(Frm_Tolvanex& form);
// The start-up steps after the instance test, with the settings file given: the date formats
// offered, the settings and the window's placement read, the files list filled.
void LoadWindow(Frm_Tolvanex& form, const std::string& iniFile);
// The nine settings as the controls hold them, and put into the controls.
Settings SettingsOf(const Frm_Tolvanex& form);
void ShowSettings(Frm_Tolvanex& form, const Settings& values);
// Empties the date-format list and offers the four formats.
void FillDateFormatList(Frm_Tolvanex& form);
// Every way of closing the window passes here; the settings are saved and the close goes ahead.
void Form_QueryUnload(Frm_Tolvanex& form);
// The Exit button saves, then closes the window, whose close request saves once more.
void Cmd_Close_Click(Frm_Tolvanex& form);
// File > Open (0) chooses the data file, File > Exit (1) closes the window.
void mnu_File_Click(Frm_Tolvanex& form, int index);
// Help > About.
void mnu_Help_Click(Frm_Tolvanex& form, int index);

// The four lines of the About message, joined by CR LF.
std::string AboutText(const ProgramInfo& program);

}  // namespace tolvanex
