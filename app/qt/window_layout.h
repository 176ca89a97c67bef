// The widgets of the window: three groups and a bottom row, the menus and the tab order.
#pragma once

#include "app/qt/control_widgets.h"

class QMainWindow;

namespace tolvanex {
class SortedListBox;
}

namespace tolvanex::qt {

// Creates every control's widget inside the window, in the window model's layout and with its
// tab order. The files list shows the given list. No values are set: the binding does that.
ControlWidgets BuildControls(QMainWindow& window, const SortedListBox& files);

}  // namespace tolvanex::qt
