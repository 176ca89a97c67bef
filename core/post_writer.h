// Post files: a fixed header of 17 lines, then one line per reading with its site number. One
// file stays open while the readings carry the same SN.
#pragma once

#include <cstdint>
#include <string>

#include "formats/decimal_shortcuts.h"

namespace tolvanex {

class Conversion;
struct CurrentReading;

// Writes the current reading to the open post file, starting a new file first when none is open
// or the SN has changed. False when the reading got no site number or a failure was reported.
// The file is written under a temporary name; the observer is told the name it is to get.
bool WriteToPostFile(Conversion& conversion);

// Completes the open post file, if there is one: flushed to disk, it gets its name, never
// replacing a file (a name taken meanwhile moves on to the next letter, and the observer is
// told the name it got), and its readings count as posted. False after a reported failure, when the
// file is given up.
bool ClosePostFile(Conversion& conversion);

// The reading line of a reading for a site, without its line end. The digits of the reading
// time are found only when it differs from the time whose digits time holds.
void AppendPostReadingLine(const CurrentReading& reading, KnownDigits& time,
                           std::int32_t siteNumber, std::string& line);

}  // namespace tolvanex
