#include "app/win32/menus.h"

#include <string>
#include <vector>

#include "app/win32/control_ids.h"
#include "system/win32/wide_text.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::win32 {

namespace {

struct ItemCommand {
  const MenuItem* item;
  WORD command;
};

std::vector<ItemCommand> ItemsOf(const Frm_Tolvanex& form) {
  return {{&form.mnu_File[0], IDM_FILE_0},
          {&form.mnu_File[1], IDM_FILE_1},
          {&form.mnu_Help[0], IDM_HELP_0}};
}

std::wstring ItemText(const MenuItem& item) {
  std::wstring text = WideFromAnsi(item.Caption);
  if (!item.Shortcut.empty()) text += L"\t" + WideFromAnsi(item.Shortcut);
  return text;
}

HMENU Popup(const Frm_Tolvanex& form, WORD first, WORD last) {
  HMENU popup = ::CreatePopupMenu();
  for (const ItemCommand& entry : ItemsOf(form)) {
    if (entry.command < first || entry.command > last) continue;
    ::AppendMenuW(popup, MF_STRING, entry.command, ItemText(*entry.item).c_str());
  }
  return popup;
}

}  // namespace

HMENU BuildMenuBar(const Frm_Tolvanex& form) {
  HMENU bar = ::CreateMenu();
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(form, IDM_FILE_0, IDM_FILE_1)),
                WideFromAnsi(form.m_File.Caption).c_str());
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(form, IDM_HELP_0, IDM_HELP_0)),
                WideFromAnsi(form.m_Help.Caption).c_str());
  return bar;
}

HACCEL BuildShortcuts(const Frm_Tolvanex& form) {
  std::vector<ACCEL> keys;
  for (const ItemCommand& entry : ItemsOf(form)) {
    ACCEL key{};
    if (!ReadShortcut(entry.item->Shortcut, key)) continue;
    key.cmd = entry.command;
    keys.push_back(key);
  }
  if (keys.empty()) return nullptr;
  return ::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

bool ReadShortcut(std::string_view text, ACCEL& key) {
  key.fVirt = FVIRTKEY;
  for (;;) {
    auto plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 == text.size()) break;
    std::string_view modifier = text.substr(0, plus);
    if (modifier == "Ctrl") {
      key.fVirt |= FCONTROL;
    } else if (modifier == "Shift") {
      key.fVirt |= FSHIFT;
    } else if (modifier == "Alt") {
      key.fVirt |= FALT;
    } else {
      return false;
    }
    text.remove_prefix(plus + 1);
  }
  if (text.size() == 1 &&
      ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= '0' && text[0] <= '9'))) {
    key.key = static_cast<WORD>(text[0]);
    return true;
  }
  if (text.size() >= 2 && text.size() <= 3 && text[0] == 'F') {
    int number = 0;
    for (char digit : text.substr(1)) {
      if (digit < '0' || digit > '9') return false;
      number = number * 10 + (digit - '0');
    }
    if (number < 1 || number > 24) return false;
    key.key = static_cast<WORD>(VK_F1 + number - 1);
    return true;
  }
  return false;
}

}  // namespace tolvanex::win32
