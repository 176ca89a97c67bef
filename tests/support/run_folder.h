// The end-to-end run of tests/data/run: a data file of three pairs, an SN change and two days,
// a lookup file that lacks 88 / 1, and the files the run must write.
#pragma once

#include <string>

namespace tolvanex::testing {

// The folder of the run's data and of the expected files (expected/).
std::string RunData();

// Fills a folder for the run: the data file, the lookup file, empty post/ and text/ folders.
void PrepareRunFolder(const std::string& folder);

}  // namespace tolvanex::testing
