// Post files: a fixed header of 17 lines, then one line per reading with its site number. One
// file stays open while the readings carry the same SN.
#pragma once

#include <cstdint>
#include <string>

namespace tolvanex {

class Frm_Tolvanex;

// Writes the current reading to the open post file, starting a new file first when none is open
// or the SN has changed. False when the reading got no site number or a failure was reported.
bool ExportPostFile(Frm_Tolvanex& form);

// The reading line of the current reading for a site, without its line end.
void AppendPostReadingLine(const Frm_Tolvanex& form, std::int32_t siteNumber, std::string& line);

}  // namespace tolvanex
