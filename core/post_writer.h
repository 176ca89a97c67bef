// Post files: a fixed header of 17 lines, then one line per reading with its site number. One
// file stays open while the readings carry the same SN.
#pragma once

#include <cstdint>
#include <string>

#include "formats/decimal_shortcuts.h"

namespace tolvanex {

class Frm_Tolvanex;
struct CurrentReading;

// Writes the current reading to the open post file, starting a new file first when none is open
// or the SN has changed. False when the reading got no site number or a failure was reported.
bool ExportPostFile(Frm_Tolvanex& form);

// The reading line of a reading for a site, without its line end. The digits of the reading
// time are found only when it differs from the time whose digits time holds.
void AppendPostReadingLine(const CurrentReading& reading, KnownDigits& time,
                           std::int32_t siteNumber, std::string& line);

}  // namespace tolvanex
