#include "app/qt/window_options.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "system/version.h"
#include "ui/window_events.h"

namespace tolvanex::qt {

namespace {

constexpr std::string_view kToolkitOptions =
    "\n"
    "Qt's own options, such as -platform NAME, are taken as well.\n";

// Qt's options that take a value in the next argument.
bool TakesValue(std::string_view option) {
  for (std::string_view name :
       {"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-display", "-geometry",
        "-style", "-stylesheet", "-title", "-name", "-session", "-qwindowgeometry", "-qwindowicon",
        "-qwindowtitle", "-qmljsdebugger", "-dialogs", "-fontengine"}) {
    if (option == name) return true;
  }
  return false;
}

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// What the platform plugin needs and lacks, or the empty text: the X11 plugin a DISPLAY, the
// Wayland one a WAYLAND_DISPLAY, the default one either. Qt itself would abort with a message
// about its plugins.
std::string MissingDisplay(std::string platform) {
  if (platform.empty() && Set("QT_QPA_PLATFORM")) platform = std::getenv("QT_QPA_PLATFORM");
  bool x11 = Set("DISPLAY");
  bool wayland = Set("WAYLAND_DISPLAY");
  if (platform.empty() && !x11 && !wayland) return "neither DISPLAY nor WAYLAND_DISPLAY is set";
  if (platform.starts_with("xcb") && !x11) return "DISPLAY is not set";
  if (platform.starts_with("wayland") && !wayland) return "WAYLAND_DISPLAY is not set";
  return std::string();
}

int UsageError(std::ostream& err, const std::string& problem) {
  err << "tolvanex: " << problem << "\nTry 'tolvanex --help'.\n";
  return 2;
}

}  // namespace

std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err) {
  std::string platform;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      out << WindowUsage() << kToolkitOptions;
      return 0;
    }
    if (argument == "--version") {
      out << "tolvanex " << kReleaseVersion << '\n' << kVersionNotice;
      return 0;
    }
  }
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--process-and-exit" || argument.starts_with("--settings=")) continue;
    if (argument == "--settings") {
      if (++i == argc) return UsageError(err, "option '--settings' requires an argument");
      continue;
    }
    if (argument.starts_with("--")) {
      return UsageError(err, "unrecognized option '" + std::string(argument) + "'");
    }
    if (argument.starts_with("-") && argument.size() > 1) {
      if (TakesValue(argument) && i + 1 < argc) {
        if (argument == "-platform") platform = argv[i + 1];
        ++i;
      }
      continue;
    }
    return UsageError(err, "unexpected operand '" + std::string(argument) + "'");
  }
  if (std::string missing = MissingDisplay(platform); !missing.empty()) {
    err << "tolvanex: cannot open the window without a display: " << missing << '\n';
    return 1;
  }
  return std::nullopt;
}

}  // namespace tolvanex::qt
