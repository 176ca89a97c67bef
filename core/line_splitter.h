// Lines of a text held in memory. CR LF, a lone CR and a lone LF each end a line, so that files
// saved by Windows and by Linux tools read the same; a last line without an end counts too.
#pragma once

#include <string_view>

namespace tolvanex {

// Calls lineHandler(std::string_view line) for every line, without its line end.
template <typename LineHandler>
void ForEachLine(std::string_view text, LineHandler&& lineHandler) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lineHandler(text.substr(start));
      return;
    }
    lineHandler(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

}  // namespace tolvanex
