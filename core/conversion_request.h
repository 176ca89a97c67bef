// What one conversion is asked to do: the data file, the outputs and where they go, and how
// dates and numbers are read and written. A front end fills it from its settings; the engine
// reads nothing else.
#pragma once

#include <string>

#include "system/regional_settings.h"

namespace tolvanex {

struct ConversionRequest {
  std::string DataFile;

  // Post files, one for each run of readings with the same SN, and the lookup table of their
  // site numbers.
  bool WritePostFiles = true;
  std::string PostFolder;
  std::string LookupFile;
  bool SortLookup = true;  // keep the lookup file ordered by its identifiers

  // One text file per identifier pair.
  bool WriteTextFiles = false;
  std::string TextFolder;
  std::string Extension = "txt";
  std::string DatePattern = "d mmm yyyy HH:MM";  // the date in front of each text file line

  RegionalSettings Regional;
  int CurrentYear = 2000;  // for dates read without a year

  // A run waits while another run writes to one of its folders; false gives up at once.
  bool WaitForOtherRuns = true;
};

}  // namespace tolvanex
