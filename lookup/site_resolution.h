// The site number of the current reading's identifier pair.
#pragma once

#include <cstdint>

namespace tolvanex {

class Frm_Tolvanex;

// Finds the site number of the pair Fields(0), Fields(1) in the lookup table, loading it first
// when it is not loaded, and asks the user for an unknown pair. True when siteNumber has been set.
bool GetSiteID(Frm_Tolvanex& form, std::int32_t& siteNumber);

}  // namespace tolvanex
