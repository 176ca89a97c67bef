#include "system/profile_text.h"

#include <optional>
#include <utility>
#include <vector>

namespace tolvanex {

namespace {

// ---------------------------------------------------------------------------------------------
// The text: pure functions over the bytes of a profile file.

bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names match as the system's profile functions match them: ASCII letters without regard to case.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// Every line of the text without its line end (CR, LF or CR LF).
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

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsWhite(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhite(text.back())) text.remove_suffix(1);
  return text;
}

enum class LineKind { Blank, Section, Entry };

// One line of the text: its content is [Begin, End), its line end [End, Next).
struct ProfileLine {
  std::size_t Begin = 0;
  std::size_t End = 0;
  std::size_t Next = 0;
  LineKind Kind = LineKind::Blank;
  std::string_view Name;   // the section's name or the entry's key, trimmed
  bool HasValue = false;   // an entry whose line holds "="
  std::string_view Value;  // trimmed, quotes still on
};

ProfileLine ParseLine(std::string_view text, std::string_view line) {
  ProfileLine parsed;
  parsed.Begin = static_cast<std::size_t>(line.data() - text.data());
  parsed.End = parsed.Begin + line.size();
  std::string_view content = Trim(line);
  if (content.empty()) return parsed;
  if (content.front() == '[') {
    if (auto close = content.rfind(']'); close != std::string_view::npos) {
      parsed.Kind = LineKind::Section;
      parsed.Name = Trim(content.substr(1, close - 1));
      return parsed;
    }
  }
  parsed.Kind = LineKind::Entry;
  auto equals = content.find('=');
  parsed.Name = Trim(content.substr(0, equals));
  if (equals != std::string_view::npos) {
    parsed.HasValue = true;
    parsed.Value = Trim(content.substr(equals + 1));
  }
  return parsed;
}

std::vector<ProfileLine> ParseLines(std::string_view text) {
  std::vector<ProfileLine> lines;
  ForEachLine(text, [&](std::string_view line) { lines.push_back(ParseLine(text, line)); });
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].Next = i + 1 < lines.size() ? lines[i + 1].Begin : text.size();
  }
  return lines;
}

// The lines of the first section of that name: its header, and one past its last line.
std::optional<std::pair<std::size_t, std::size_t>> FindSection(
    const std::vector<ProfileLine>& lines, std::string_view section) {
  for (std::size_t header = 0; header < lines.size(); ++header) {
    if (lines[header].Kind != LineKind::Section || !EqualIgnoringCase(lines[header].Name, section))
      continue;
    std::size_t end = header + 1;
    while (end < lines.size() && lines[end].Kind != LineKind::Section) ++end;
    return std::pair{header, end};
  }
  return std::nullopt;
}

// The first entry of the key in the section, or none.
std::optional<std::size_t> FindEntry(const std::vector<ProfileLine>& lines, std::size_t header,
                                     std::size_t end, std::string_view key) {
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].Kind == LineKind::Entry && EqualIgnoringCase(lines[i].Name, key)) return i;
  }
  return std::nullopt;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// At most bufferSize - 1 bytes, as a fixed buffer with its terminating NUL would hold them. A cut
// through a UTF-8 character drops the whole character rather than leave half of it.
std::string CutToBuffer(std::string_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::size_t limit = bufferSize - 1;
  if (text.size() <= limit) return std::string(text);
  std::size_t cut = limit;
  for (int back = 0; back < 3 && cut > 0 && IsContinuationByte(text[cut]); ++back) --cut;
  bool splitsCharacter = cut < limit && static_cast<unsigned char>(text[cut]) >= 0xC0;
  return std::string(text.substr(0, splitsCharacter ? cut : limit));
}

std::string ValueAsWritten(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  std::string clean;
  clean.reserve(value.size());
  for (char c : value) {
    if (c != '\r' && c != '\n') clean += c;
  }
  return clean;
}

bool EndsInLineBreak(std::string_view text) {
  return !text.empty() && (text.back() == '\r' || text.back() == '\n');
}

}  // namespace

std::string ProfileGetString(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize) {
  std::vector<ProfileLine> lines = ParseLines(fileText);
  if (auto range = FindSection(lines, Trim(section))) {
    if (auto entry = FindEntry(lines, range->first, range->second, Trim(key))) {
      if (lines[*entry].HasValue) return CutToBuffer(Unquote(lines[*entry].Value), bufferSize);
    }
  }
  while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
  return CutToBuffer(Unquote(defaultValue), bufferSize);
}

std::string ProfileSetString(std::string fileText, std::string_view section, std::string_view key,
                             std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  std::string written = ValueAsWritten(value);
  std::vector<ProfileLine> lines = ParseLines(fileText);

  auto range = FindSection(lines, section);
  if (!range) {
    if (!fileText.empty() && !EndsInLineBreak(fileText)) fileText += "\r\n";
    fileText.append("[").append(section).append("]\r\n");
    fileText.append(key).append("=").append(written).append("\r\n");
    return fileText;
  }
  auto [header, end] = *range;

  if (auto entry = FindEntry(lines, header, end, key)) {
    // The key keeps the spelling it has in the file; blanks around "=" go.
    const ProfileLine& line = lines[*entry];
    std::string replacement(line.Name);
    replacement.append("=").append(written);
    fileText.replace(line.Begin, line.End - line.Begin, replacement);
    return fileText;
  }

  std::size_t last = header;
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].Kind != LineKind::Blank) last = i;
  }
  std::string insertion;
  // Only the text's last line can lack a line end.
  if (lines[last].Next == lines[last].End) insertion = "\r\n";
  insertion.append(key).append("=").append(written).append("\r\n");
  fileText.insert(lines[last].Next, insertion);
  return fileText;
}

}  // namespace tolvanex
