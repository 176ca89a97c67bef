#include "app/qt/window_options.h"

#include <cstdlib>
#include <string>
#include <string_view>

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

}  // namespace

std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err, WindowOptions& options) {
  // Qt's own options have one dash, and some a value in the next argument.
  std::string platform;
  options = ReadWindowOptions(argc, argv, [&platform](const char* const* argument, int left) {
    std::string_view option = *argument;
    if (option.size() < 2 || option[0] != '-' || option[1] == '-') return 0;
    if (!TakesValue(option) || left < 2) return 1;
    if (option == "-platform") platform = argument[1];
    return 2;
  });
  if (options.Help) {
    out << WindowUsage() << kToolkitOptions;
    return 0;
  }
  if (options.Version) {
    out << WindowVersion();
    return 0;
  }
  if (!options.Problem.empty()) {
    err << "tolvanex: " << options.Problem << "\nTry 'tolvanex --help'.\n";
    return 2;
  }
  if (std::string missing = MissingDisplay(platform); !missing.empty()) {
    err << "tolvanex: cannot open the window without a display: " << missing << '\n';
    return 1;
  }
  return std::nullopt;
}

}  // namespace tolvanex::qt
