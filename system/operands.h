// The operands of a command as the program is to take them.
#pragma once

#include <string>
#include <vector>

namespace tolvanex {

// The file operands with wildcards expanded where the system leaves that to the program. On
// Windows "*" (any run of characters) and "?" (one character) in the last part of a name match
// without regard to case, as the system's own listing does ("*.*" also takes names without a
// dot); the ordinary files that match, folders and hidden files left out, take the pattern's
// place in name order, each with the pattern's folder part as written. A pattern that matches
// nothing stays as written. On POSIX the shell has expanded them: they come back as they are.
std::vector<std::string> ExpandWildcards(const std::vector<std::string>& operands);

}  // namespace tolvanex
