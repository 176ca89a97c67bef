// The example in a folder of a test's own, with a copy of the window beside its settings.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace tolvanex::testing {

// The example's data and lookup files in the folder, with the example's settings naming them and
// the post and text folders beside them.
void PrepareExample(const TempFolder& folder);

// A data file of the example's four pairs, a reading of each every minute from the first of
// January on.
std::string LongDataFile(int minutes);

// A data file of the given number of readings of one pair that the example's lookup file knows,
// all of one minute.
std::string OnePairDataFile(int lines);

// A test with the example in its folder and the window's program copied there: the program reads
// the settings file beside itself.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest();

  TempFolder folder_;
  std::string program_;
};

}  // namespace tolvanex::testing
