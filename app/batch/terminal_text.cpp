#include "app/batch/terminal_text.h"

namespace tolvanex {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

bool ContinuesCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the UTF-8 character that starts the text when it is a whole, well-formed one of
// two or more bytes; 0 otherwise (an ASCII byte, or a byte that starts no such character).
std::size_t Utf8Length(std::string_view text) {
  auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!ContinuesCharacter(text[i])) return 0;
  }
  return length;
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
  for (std::size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = Utf8Length(text.substr(i));
    if (byte < 0x20 || byte == 0x7F || (length == 0 && byte >= 0x80 && byte <= 0x9F)) {
      // A C0 control, DEL, or a C1 control as a single byte, which a terminal in an 8-bit mode
      // acts on (0x9B starts a control sequence).
      AppendEscaped(out, byte);
      ++i;
    } else if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      // A C1 control written in UTF-8.
      AppendEscaped(out, byte);
      AppendEscaped(out, static_cast<unsigned char>(text[i + 1]));
      i += 2;
    } else {
      // A character, whole: its continuation bytes (0x80 to 0xBF) are no controls.
      std::size_t take = length == 0 ? 1 : length;
      out.append(text.substr(i, take));
      i += take;
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
