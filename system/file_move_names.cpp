#include "system/file_moves.h"

#include <string>

namespace tolvanex {

std::string NumberedName(std::string_view name, int n) {
  if (n == 0) return std::string(name);
  auto dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) dot = name.size();
  std::string numbered(name.substr(0, dot));
  numbered += '-';
  numbered += std::to_string(n);
  numbered += name.substr(dot);
  return numbered;
}

}  // namespace tolvanex
