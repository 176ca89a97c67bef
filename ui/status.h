// The status line at the bottom of the window.
#pragma once

#include <string_view>

namespace tolvanex {

class Frm_Tolvanex;

// Shows a text in the status line, cream while it holds text and button face when empty.
void SetStatus(Frm_Tolvanex& form, std::string_view text);

}  // namespace tolvanex
