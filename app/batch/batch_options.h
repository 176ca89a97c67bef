// The command line of tolvanex-batch: which settings file to read and which settings to override.
#pragma once

#include <optional>
#include <string>

namespace tolvanex {

class Frm_Tolvanex;

struct BatchOptions {
  std::optional<std::string> SettingsFile;
  std::optional<std::string> DataFile;
  std::optional<int> OutputPostFile;
  std::optional<std::string> PostFolder;
  std::optional<std::string> LookupFile;
  std::optional<int> SortLookup;
  std::optional<int> OutputTextFile;
  std::optional<std::string> Extension;
  std::optional<std::string> OutputFolder;
  std::optional<std::string> DateFormat;
  bool Quiet = false;
};

inline constexpr int kExitFinished = 0;  // the run reached the end of the data file
inline constexpr int kExitEarly = 1;     // the run ended early or could not start
inline constexpr int kExitUsage = 2;     // the command line was not understood

// Parses the command line. When it asks for help or the version, or holds an error, the answer
// is printed here and the exit status is returned; otherwise no value.
std::optional<int> ParseBatchOptions(int argc, const char* const* argv, BatchOptions& options);

// Puts the overriding values into the window's controls, as the settings would.
void ApplyBatchOptions(const BatchOptions& options, Frm_Tolvanex& form);

}  // namespace tolvanex
