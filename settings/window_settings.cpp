#include "settings/window_settings.h"

#include <charconv>
#include <optional>
#include <string>

#include "base/text.h"
#include "settings/settings_store.h"

namespace tolvanex {

namespace {

std::optional<int> WholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ReadNumber(const std::string& iniFile, std::string_view key,
                              ReportSink& reports) {
  return WholeNumber(ReadSetting(iniFile, kWindowSection, key, "", reports));
}

}  // namespace

std::optional<WindowPlacement> LoadWindowPlacement(const std::string& iniFile,
                                                   ReportSink& reports) {
  if (iniFile.empty()) return std::nullopt;
  auto left = ReadNumber(iniFile, "Left", reports);
  auto top = ReadNumber(iniFile, "Top", reports);
  auto width = ReadNumber(iniFile, "Width", reports);
  auto height = ReadNumber(iniFile, "Height", reports);
  if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
  bool maximized = ReadNumber(iniFile, "Maximized", reports).value_or(0) != 0;
  return WindowPlacement{*left, *top, *width, *height, maximized};
}

void SaveWindowPlacement(const std::string& iniFile,
                         const std::optional<WindowPlacement>& placement, ReportSink& reports) {
  if (iniFile.empty() || !placement) return;
  auto save = [&](std::string_view key, std::string_view value) {
    WriteSetting(iniFile, kWindowSection, key, value, reports);
  };
  save("Left", DecimalText(placement->Left));
  save("Top", DecimalText(placement->Top));
  save("Width", DecimalText(placement->Width));
  save("Height", DecimalText(placement->Height));
  save("Maximized", placement->Maximized ? "1" : "0");
}

}  // namespace tolvanex
