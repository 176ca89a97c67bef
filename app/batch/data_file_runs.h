// The batch command's runs: each data file converted in turn as if Process were pressed once
// per file, the converted ones archived, the final statuses printed.
#pragma once

namespace tolvanex {

class TerminalObserver;
struct BatchOptions;
struct Settings;

// Converts the operands of the command line in turn, or the data file of the settings when
// there are none, with one engine, and prints each run's final status (or its JSON account).
// The reports of reading the settings (the terminal's SettingsReports) count as reports of every
// run. A stop request ends the command after the run in hand. Returns the command's exit status:
// the worst of the data files', and kExitEarly after a stop request.
int ConvertDataFiles(const Settings& settings, const BatchOptions& options,
                     TerminalObserver& terminal);

}  // namespace tolvanex
