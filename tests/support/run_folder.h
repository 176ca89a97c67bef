// The end-to-end run of tests/data/run: a data file of three pairs, an SN change and two days,
// a lookup file that lacks 88 / 1, and the files the run must write.
#pragma once

#include <string>

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::testing {

// The folder of the run's data and of the expected files (expected/).
std::string RunData();

// Fills a folder for the run: the data file, the lookup file, empty post/ and text/ folders.
void PrepareRunFolder(const std::string& folder);

// Points the window at such a folder: both outputs, the lookup sorted, extension "txt", the
// default date pattern and the level table filled.
void PointWindowAt(Frm_Tolvanex& form, const std::string& folder);

}  // namespace tolvanex::testing
