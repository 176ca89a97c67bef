#include "settings/window_settings.h"

#include <charconv>
#include <optional>
#include <string>

#include "base/text.h"
#include "model/frm_tolvanex.h"
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

std::optional<int> ReadNumber(Frm_Tolvanex& form, std::string_view key) {
  return WholeNumber(MyGetSetting(form, kWindowSection, key, ""));
}

}  // namespace

void LoadWindowPlacement(Frm_Tolvanex& form) {
  form.Placement.reset();
  if (form.IniFile.empty()) return;
  auto left = ReadNumber(form, "Left");
  auto top = ReadNumber(form, "Top");
  auto width = ReadNumber(form, "Width");
  auto height = ReadNumber(form, "Height");
  if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return;
  bool maximized = ReadNumber(form, "Maximized").value_or(0) != 0;
  form.Placement = WindowPlacement{*left, *top, *width, *height, maximized};
}

void SaveWindowPlacement(Frm_Tolvanex& form) {
  if (form.IniFile.empty() || !form.Placement) return;
  const WindowPlacement& placement = *form.Placement;
  MySaveSetting(form, kWindowSection, "Left", DecimalText(placement.Left));
  MySaveSetting(form, kWindowSection, "Top", DecimalText(placement.Top));
  MySaveSetting(form, kWindowSection, "Width", DecimalText(placement.Width));
  MySaveSetting(form, kWindowSection, "Height", DecimalText(placement.Height));
  MySaveSetting(form, kWindowSection, "Maximized", placement.Maximized ? "1" : "0");
}

}  // namespace tolvanex
