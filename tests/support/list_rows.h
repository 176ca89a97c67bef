// The rows of a list box in their sorted order, for comparing with what a test expects.
#pragma once

#include <string>
#include <vector>

#include "ui/sorted_list.h"

namespace tolvanex::testing {

inline std::vector<std::string> Rows(const SortedListBox& list) {
  std::vector<std::string> rows;
  for (std::int64_t i = 0; i < list.ListCount(); ++i) rows.push_back(list.List(i));
  return rows;
}

}  // namespace tolvanex::testing
