#include "app/qt/window_options.h"

#include <string_view>

#include "system/version.h"

namespace tolvanex::qt {

namespace {

constexpr std::string_view kUsage =
    "Usage: tolvanex [OPTION]...\n"
    "Opens the Tolvanex window, which converts a data logger's data files into post files and\n"
    "per-site text files.\n"
    "\n"
    "  --settings FILE     use the settings in FILE instead of the usual settings file\n"
    "  --process-and-exit  press Process once the window is up, and close it after the run\n"
    "  -h, --help          show this help and exit\n"
    "  --version           show the version and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME, are taken as well.\n";

}  // namespace

std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "-h" || argument == "--help") {
      out << kUsage;
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
