// The window's menu bar and its shortcut keys, made from the window model's menus.
#pragma once

#include <windows.h>

#include <string_view>

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::win32 {

// File (Open, Exit) and Help (About), each item with its shortcut written beside it.
HMENU BuildMenuBar(const Frm_Tolvanex& form);

// The shortcuts of the menu items, as the message loop translates them.
HACCEL BuildShortcuts(const Frm_Tolvanex& form);

// A shortcut as a key and its modifiers ("Ctrl+O", "F1"); false for a text it cannot read.
bool ReadShortcut(std::string_view text, ACCEL& key);

}  // namespace tolvanex::win32
