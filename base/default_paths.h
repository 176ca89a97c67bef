// Where the defaults that a Windows installation keeps on drive C live: there on Windows, in the
// user's home folder elsewhere.
#pragma once

#include <string>

namespace tolvanex {

// The default post and output folder shown before any setting is read.
std::string DefaultPostFolder();
// The default data file.
std::string DefaultDataFile();

}  // namespace tolvanex
