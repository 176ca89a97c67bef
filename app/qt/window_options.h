// The command line as the window answers it before anything of the window is made: the usage and
// the version on stdout, a command line it does not understand, and a missing display, so that
// all of them work without a display.
#pragma once

#include <optional>
#include <ostream>

#include "ui/window_options.h"

namespace tolvanex::qt {

// The exit status when the window is not to open, after saying why: 0 after the usage (-h,
// --help) or the version (--version) on out; 2 after one line on err for an option it does not
// know, an option without its value or an operand (GNU's usage error); 1 after one line on err
// when there is no display to open the window on. None when the window is to open, with what
// to open it with in options. Qt's own options (one dash, such as -platform NAME) are left to Qt.
std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err, WindowOptions& options);

}  // namespace tolvanex::qt
