// The window's place and size in section "Window" of the settings file, beside the nine settings
// of section "General", which it leaves alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/reports.h"
#include "model/window_placement.h"

namespace tolvanex {

inline constexpr std::string_view kWindowSection = "Window";

// Reads the window's placement from the settings file; none when the path is empty, a key is
// missing or not a whole number, or the size is not positive.
std::optional<WindowPlacement> LoadWindowPlacement(const std::string& iniFile, ReportSink& reports);
// Writes a placement; does nothing while the settings file's path is empty.
void SaveWindowPlacement(const std::string& iniFile,
                         const std::optional<WindowPlacement>& placement, ReportSink& reports);

}  // namespace tolvanex
