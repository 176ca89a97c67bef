#include "app/qt/window_options.h"

#include <string_view>

#include "system/version.h"
#include "ui/window_events.h"

namespace tolvanex::qt {

namespace {

constexpr std::string_view kToolkitOptions =
    "\n"
    "Qt's own options, such as -platform NAME, are taken as well.\n";

}  // namespace

std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "-h" || argument == "--help") {
      out << WindowUsage() << kToolkitOptions;
      return 0;
    }
    if (argument == "--version") {
      out << "tolvanex " << VersionText() << '\n';
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace tolvanex::qt
