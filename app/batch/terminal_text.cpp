#include "app/batch/terminal_text.h"

namespace tolvanex {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

bool ContinuesCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

void AppendEscaped(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F) {
      AppendEscaped(out, byte);
    } else if (byte == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      AppendEscaped(out, byte);
      AppendEscaped(out, static_cast<unsigned char>(text[++i]));
    } else {
      out += text[i];
    }
  }
  return out;
}

std::size_t ColumnsOf(std::string_view text) {
  std::size_t columns = 0;
  for (char byte : text) {
    if (!ContinuesCharacter(byte)) ++columns;
  }
  return columns;
}

std::string KeepEnd(std::string_view text, std::size_t columns) {
  std::size_t have = ColumnsOf(text);
  if (have <= columns) return std::string(text);
  constexpr std::string_view kCut = "...";
  if (columns <= kCut.size()) return std::string(kCut.substr(0, columns));
  // Skip characters from the start until the rest fits beside the marker.
  std::size_t drop = have - (columns - kCut.size());
  std::size_t at = 0;
  while (drop > 0 || (at < text.size() && ContinuesCharacter(text[at]))) {
    if (!ContinuesCharacter(text[at])) --drop;
    ++at;
  }
  return std::string(kCut) + std::string(text.substr(at));
}

}  // namespace tolvanex
