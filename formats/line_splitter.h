// Lines of a text held in memory, and the fields of a line. CR LF, a lone CR and a lone LF each
// end a line, so that files saved by Windows and by Linux tools read the same; a last line
// without an end counts too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvanex {

// The position of the first CR or LF from start on, or npos. One pass over the text: the
// library's find_first_of searches its set of two for every character.
inline std::size_t FindLineBreak(std::string_view text, std::size_t start = 0) {
  for (std::size_t at = start; at < text.size(); ++at) {
    if (text[at] == '\r' || text[at] == '\n') return at;
  }
  return std::string_view::npos;
}

// Calls lineHandler(std::string_view line) for every line, without its line end.
template <typename LineHandler>
void ForEachLine(std::string_view text, LineHandler&& lineHandler) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = FindLineBreak(text, start);
    if (end == std::string_view::npos) {
      lineHandler(text.substr(start));
      return;
    }
    lineHandler(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

// Splits a line at every comma into fields, views into the line, reusing the fields' storage.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);

}  // namespace tolvanex
