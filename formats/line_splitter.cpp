#include "formats/line_splitter.h"

namespace tolvanex {

void SplitFields(std::string_view line, std::vector<std::string>& fields) {
  // The fields are short: one pass over the line finds the commas faster than a search for each.
  std::size_t count = 0;
  auto keep = [&](const char* first, const char* last) {
    if (count < fields.size()) {
      fields[count].assign(first, last);
    } else {
      fields.emplace_back(first, last);
    }
    ++count;
  };
  const char* start = line.data();
  const char* end = start + line.size();
  for (const char* at = start; at != end; ++at) {
    if (*at == ',') {
      keep(start, at);
      start = at + 1;
    }
  }
  keep(start, end);
  fields.resize(count);
}

}  // namespace tolvanex
