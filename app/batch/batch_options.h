// The command line of tolvanex-batch: the data files, which settings file to read, which settings
// to override, and how the command behaves.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tolvanex {

struct Settings;

struct BatchOptions {
  std::vector<std::string> DataFiles;  // the operands, converted in turn
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
  std::optional<std::string> ArchiveFolder;
  std::optional<std::string> LogFile;
  bool NoPrompt = false;
  bool NoWait = false;
  bool Json = false;
  bool Quiet = false;
};

// Exit statuses, from the best to the worst; the command's is the worst of its data files.
inline constexpr int kExitFinished = 0;     // read to the end of the data file, without a report
inline constexpr int kExitWithReports = 3;  // read to the end, with at least one report
inline constexpr int kExitEarly = 1;        // the run ended early or could not start
inline constexpr int kExitUsage = 2;        // the command line was not understood

// The worse of two exit statuses of data files.
int WorseExitStatus(int a, int b);

// Parses the command line. When it asks for help or the version, or holds an error, the answer
// is printed here and the exit status is returned; otherwise no value.
std::optional<int> ParseBatchOptions(int argc, const char* const* argv, BatchOptions& options);

// Puts the overriding values into the settings read from the settings file. (--no-wait is for
// each run's request.)
void ApplyBatchOptions(const BatchOptions& options, Settings& settings);

}  // namespace tolvanex
