// The command line of the window, read alike by both windows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tolvanex {

struct WindowOptions {
  std::optional<std::string> SettingsFile;  // instead of the usual settings file
  bool ProcessAndExit = false;              // press Process once the window is up, then close
  bool Help = false;                        // -h, --help: the usage instead of the window
  bool Version = false;                     // --version: the version instead of the window
  // What is wrong with the command line ("unrecognized option '--x'"), as a usage error says it.
  std::string Problem;
};

// How many arguments from an argument on are the toolkit's own (Qt's "-platform NAME" is two);
// 0 for an argument that is not.
using ToolkitArguments = std::function<int(const char* const* argument, int left)>;

// Reads the window's options: --settings FILE (or --settings=FILE), --process-and-exit, -h,
// --help and --version; help and version are answered whatever else the line holds.
WindowOptions ReadWindowOptions(int argc, const char* const* argv,
                                const ToolkitArguments& toolkit = nullptr);

// The command line of the window, as its --help shows it.
std::string_view WindowUsage();
// The version as --version shows it: the program, its release, the copyright and licence lines.
std::string WindowVersion();

}  // namespace tolvanex
