#include "ui/window_options.h"

#include "system/version.h"

namespace tolvanex {

WindowOptions ReadWindowOptions(int argc, const char* const* argv,
                                const ToolkitArguments& toolkit) {
  WindowOptions options;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    options.Help = options.Help || argument == "-h" || argument == "--help";
    options.Version = options.Version || argument == "--version";
  }
  if (options.Help || options.Version) return options;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--process-and-exit") {
      options.ProcessAndExit = true;
    } else if (argument.starts_with("--settings=")) {
      options.SettingsFile = std::string(argument.substr(11));
    } else if (argument == "--settings") {
      if (++i == argc) {
        options.Problem = "option '--settings' requires an argument";
        return options;
      }
      options.SettingsFile = argv[i];
    } else if (int taken = toolkit ? toolkit(argv + i, argc - i) : 0; taken > 0) {
      i += taken - 1;
    } else {
      bool option = argument.size() > 1 && argument.starts_with("-");
      options.Problem = option ? "unrecognized option '" + std::string(argument) + "'"
                               : "unexpected operand '" + std::string(argument) + "'";
      return options;
    }
  }
  return options;
}

std::string_view WindowUsage() {
  return "Usage: tolvanex [OPTION]...\n"
         "Opens the Tolvanex window, which converts a data logger's data files into post files "
         "and\n"
         "per-site text files.\n"
         "\n"
         "  --settings FILE     use the settings in FILE instead of the usual settings file\n"
         "  --process-and-exit  press Process once the window is up, and close it after the run\n"
         "  -h, --help          show this help and exit\n"
         "  --version           show the version and exit\n";
}

std::string WindowVersion() {
  return "tolvanex " + std::string(kReleaseVersion) + "\n" + kVersionNotice;
}

}  // namespace tolvanex
