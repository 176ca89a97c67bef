// Where the defaults that a Windows installation keeps on drive C live on this system.
#pragma once

#include <string>

namespace tolvanex {

// The user's home folder: $HOME, else the password database's entry.
std::string HomeFolder();
// The default post and output folder shown before any setting is read.
std::string DefaultPostFolder();
// The default data file.
std::string DefaultDataFile();

}  // namespace tolvanex
