#include "app/win32/control_refs.h"

#include <utility>

namespace tolvanex::win32 {

namespace {

constexpr std::pair<ControlRef, int> kMenuItems[] = {
    {{"mnu_File", 0}, IDM_FILE_0}, {{"mnu_File", 1}, IDM_FILE_1}, {{"mnu_Help", 0}, IDM_HELP_0}};

}  // namespace

int IdOf(const ControlRef& control) {
  const auto& table = ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (ControlRef{table[i].Name, table[i].Index} == control) {
      return kFirstControlId + static_cast<int>(i);
    }
  }
  for (const auto& [item, id] : kMenuItems) {
    if (item == control) return id;
  }
  return 0;
}

std::optional<ControlRef> ControlOf(int id) {
  const auto& table = ControlTable();
  auto place = static_cast<std::size_t>(id - kFirstControlId);
  if (id >= kFirstControlId && place < table.size()) {
    return ControlRef{table[place].Name, table[place].Index};
  }
  for (const auto& [item, itemId] : kMenuItems) {
    if (itemId == id) return item;
  }
  return std::nullopt;
}

}  // namespace tolvanex::win32
