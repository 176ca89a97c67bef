#include "app/win32/window_options.h"

#include <string_view>

#include "system/version.h"
#include "ui/window_events.h"

namespace tolvanex::win32 {

namespace {

WindowOptions Refusal(const std::string& problem) {
  WindowOptions options;
  options.Answer = problem + "\n\n" + std::string(WindowUsage());
  options.AnswerStatus = 2;
  return options;
}

}  // namespace

WindowOptions ReadWindowOptions(int argc, const char* const* argv) {
  WindowOptions options;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help" || argument == "/?") {
      options.Answer = std::string(WindowUsage());
      return options;
    }
    if (argument == "--version") {
      options.Answer = "tolvanex " + std::string(kReleaseVersion) + "\n" + kVersionNotice;
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
