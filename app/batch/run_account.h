// The account of a data file's run as one JSON object, for scripts and monitoring.
#pragma once

#include <string>
#include <string_view>

#include "app/batch/data_file_run.h"

namespace tolvanex {

// The name of how a run ended, as the JSON account gives it.
std::string_view RunEndName(RunEnd end);

// One JSON object on one line, without a line end. Text that is not valid UTF-8 has its invalid
// bytes replaced by U+FFFD.
std::string RunAccountJson(const DataFileRun& run);

}  // namespace tolvanex
