#include "formats/line_splitter.h"

#include <cstdint>

#include "base/byte_words.h"

namespace tolvanex {

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  // Eight bytes at a time: the fields are short and their lengths vary.
  fields.clear();
  const char* data = line.data();
  const std::size_t size = line.size();
  std::size_t start = 0;
  std::size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    for (std::uint64_t commas = BytesEqualTo(LoadWord(data + at), ','); commas != 0;
         commas &= commas - 1) {
      std::size_t comma = at + FirstMarkedByte(commas);
      fields.emplace_back(data + start, comma - start);
      start = comma + 1;
    }
  }
  for (; at < size; ++at) {
    if (data[at] == ',') {
      fields.emplace_back(data + start, at - start);
      start = at + 1;
    }
  }
  fields.emplace_back(data + start, size - start);
}

}  // namespace tolvanex
