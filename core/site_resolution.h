// The site number of the current reading's identifier pair.
#pragma once

#include <cstdint>

namespace tolvanex {

class Conversion;

// Finds the site number of the reading's pair (its first two fields) in the lookup table,
// loading it first when it is not loaded, and asks the user for an unknown pair. True when
// siteNumber has been set.
bool FindSiteNumber(Conversion& conversion, std::int32_t& siteNumber);

}  // namespace tolvanex
