// The batch command's runs: each data file converted in turn as if Process were pressed once
// per file, the converted ones archived, the final statuses printed.
#pragma once

namespace tolvanex {

class Frm_Tolvanex;
class TerminalPlatform;
struct BatchOptions;

// Converts the operands of the command line in turn, or the one data file of the window when
// there are none, and prints each run's final status (or its JSON account). A stop request
// ends the command after the run in hand. Returns the command's exit status: the worst of the
// data files', and kExitEarly after a stop request.
int ConvertDataFiles(Frm_Tolvanex& form, TerminalPlatform& desktop, const BatchOptions& options);

}  // namespace tolvanex
