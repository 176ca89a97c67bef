// How a routine runs for one event of the window.
#pragma once

#include <functional>
#include <string_view>

namespace tolvanex {

class Frm_Tolvanex;

// Runs the routine of one event. The routines report their own failures; anything else is shown
// in a message box with its description, so that it never unwinds through the toolkit.
void RunEventRoutine(Frm_Tolvanex& form, const std::function<void()>& routine);

}  // namespace tolvanex
