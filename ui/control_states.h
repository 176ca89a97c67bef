// What each control of the window shows, read from the window model by the control's name, for
// the front ends that draw the controls; and where the user's edits go back. The rule that a run
// leaves only its own button to the user is here, once for both windows.
#pragma once

#include <string>

#include "ui/frm_tolvanex.h"

namespace tolvanex {

struct ControlShown {
  const std::string* Text = nullptr;     // a caption or a box's text; none for the files list
  int CheckState = 0;                    // a check box's: 0, 1 or 2 (greyed)
  bool Enabled = true;                   // what the model allows, less what a run forbids
  const std::string* ToolTip = nullptr;  // a button's tip; none for any other control
};

// What a control of the control table shows now.
ControlShown ShownOf(const Frm_Tolvanex& form, const ControlRef& control);

// Where the text that the user edits in a text box or the date format's box goes; nullptr for
// any other control.
std::string* EditedText(Frm_Tolvanex& form, const ControlRef& control);
// Where a check box's state goes; nullptr for any other control.
int* CheckBoxState(Frm_Tolvanex& form, const ControlRef& control);

// Whether a control or menu item is enabled by the run's rule: while a run goes, only the run
// button takes input, and the status line stays as it is.
bool EnabledByRun(const Frm_Tolvanex& form, const ControlRef& control);

}  // namespace tolvanex
