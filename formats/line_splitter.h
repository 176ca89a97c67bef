// Lines of a text held in memory, and the fields of a line. CR LF, a lone CR and a lone LF each
// end a line, so that files saved by Windows and by Linux tools read the same; a last line
// without an end counts too.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanex {

// The position of the first CR or LF from start on, or npos. The text is searched a window at a
// time, for LF and then for CR before it: each search is the library's fast one, and neither
// runs on far past the line end when a file's lines end in the other character alone.
inline std::size_t FindLineBreak(std::string_view text, std::size_t start = 0) {
  constexpr std::size_t kWindow = 512;
  const char* data = text.data();
  for (std::size_t from = start; from < text.size(); from += kWindow) {
    std::size_t length = std::min(kWindow, text.size() - from);
    const auto* lf = static_cast<const char*>(std::memchr(data + from, '\n', length));
    std::size_t beforeLf = lf != nullptr ? static_cast<std::size_t>(lf - (data + from)) : length;
    const auto* cr = static_cast<const char*>(std::memchr(data + from, '\r', beforeLf));
    if (cr != nullptr) return static_cast<std::size_t>(cr - data);
    if (lf != nullptr) return static_cast<std::size_t>(lf - data);
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
