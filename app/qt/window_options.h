// The options that the window answers without opening: the usage and the version, printed on
// stdout, so that they work without a display.
#pragma once

#include <optional>
#include <ostream>

namespace tolvanex::qt {

// The exit status when the command line asks for the usage (-h, --help) or the version
// (--version), after printing it; none when the window is to open.
std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out);

}  // namespace tolvanex::qt
