#include "app/win32/window_options.h"

#include <string_view>

#include "system/version.h"

namespace tolvanex::win32 {

namespace {

constexpr std::string_view kUsage =
    "Usage: tolvanex [OPTION]...\n"
    "Opens the Tolvanex window, which converts a data logger's data files into post files and\n"
    "per-site text files.\n"
    "\n"
    "  --settings FILE     use the settings in FILE instead of the usual settings file\n"
    "  --process-and-exit  press Process once the window is up, and close it after the run\n"
    "  -h, --help          show this help\n"
    "  --version           show the version\n";

WindowOptions Refusal(const std::string& problem) {
  WindowOptions options;
  options.Answer = problem + "\n\n" + std::string(kUsage);
  options.AnswerStatus = 2;
  return options;
}

}  // namespace

WindowOptions ReadWindowOptions(int argc, const char* const* argv) {
  WindowOptions options;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help" || argument == "/?") {
      options.Answer = std::string(kUsage);
      return options;
    }
    if (argument == "--version") {
      options.Answer = "tolvanex " + std::string(VersionText());
      return options;
    }
    if (argument == "--process-and-exit") {
      options.ProcessAndExit = true;
    } else if (argument == "--settings" && i + 1 < argc) {
      options.SettingsFile = argv[++i];
    } else if (argument.starts_with("--settings=")) {
      options.SettingsFile = std::string(argument.substr(11));
    } else {
      return Refusal("Unknown option or missing value: " + std::string(argument));
    }
  }
  return options;
}

}  // namespace tolvanex::win32
