// The window's controls and menu items by the names of the window model and by their numbers.
#pragma once

#include <optional>

#include "app/win32/control_ids.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::win32 {

inline constexpr int kFirstControlId = IDC_LABEL1_1;

// The number of a control of the control table, or of a menu item; 0 for a name the window does
// not have.
int IdOf(const ControlRef& control);

// The control or menu item of a number; none for a number of neither.
std::optional<ControlRef> ControlOf(int id);

}  // namespace tolvanex::win32
