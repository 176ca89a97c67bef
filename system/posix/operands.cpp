#include "system/operands.h"

namespace tolvanex {

std::vector<std::string> ExpandWildcards(const std::vector<std::string>& operands) {
  return operands;
}

}  // namespace tolvanex
