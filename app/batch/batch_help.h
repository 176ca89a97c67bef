// The text of tolvanex-batch --help, written for people and laid out the way help2man reads it.
#pragma once

#include <string>

namespace tolvanex {

std::string BatchHelpText();

}  // namespace tolvanex
