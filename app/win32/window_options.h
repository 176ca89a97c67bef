// The command line of the window: what to open it with, or an answer without it.
#pragma once

#include <optional>
#include <string>

namespace tolvanex::win32 {

struct WindowOptions {
  std::optional<std::string> SettingsFile;  // instead of the settings file beside the program
  bool ProcessAndExit = false;              // press Process once the window is up, then close
  // Shown instead of the window: the help, the version or what is wrong with the command line.
  std::optional<std::string> Answer;
  int AnswerStatus = 0;
};

WindowOptions ReadWindowOptions(int argc, const char* const* argv);

}  // namespace tolvanex::win32
