// The settings file's text: reading a key, and setting one.
//
// Input: its first byte is the separator of four parts: section, key, value, and the rest as the
// text of a settings file ("|General|DataFile|/data/a.dat|[General]\r\n...").
// - A read gives at most 254 bytes, the start of what a large buffer gives, cut by at most one
//   UTF-8 character; letter case and blanks around the section and key names do not matter.
// - Setting a key keeps every other line byte for byte, line ends included, and changes the text
//   by rewriting the key's line, inserting it in its section, or appending the section with it.
// - Read back, the key gives the value up to a NUL, without CR and LF, trimmed of white space and
//   with one pair of matching quotes removed; setting the same value again changes nothing. This
//   holds for section and key names that a line can hold: no line break, and for the key no "="
//   and no "[" first.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "system/profile_text.h"
#include "tests/fuzz/fuzz_support.h"

namespace tolvanex::fuzz {
namespace {

constexpr std::size_t kLargeBuffer = std::numeric_limits<std::size_t>::max();

bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsWhite(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhite(text.back())) text.remove_suffix(1);
  return text;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string Upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

// The value as a line of the file holds it: up to a NUL, without CR and LF.
std::string Written(std::string_view value) {
  std::string written;
  for (char c : value.substr(0, value.find('\0'))) {
    if (c != '\r' && c != '\n') written += c;
  }
  return written;
}

std::string ReadBack(std::string_view written) {
  std::string_view value = Trim(written);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

void CheckRead(std::string_view text, std::string_view section, std::string_view key,
               std::string_view defaultValue) {
  std::string whole = ProfileGetString(text, section, key, defaultValue, kLargeBuffer);
  std::string cut = ProfileGetString(text, section, key, defaultValue);
  FUZZ_CHECK(cut.size() <= kProfileBufferSize - 1);
  FUZZ_CHECK(std::string_view(whole).substr(0, cut.size()) == cut);
  if (whole.size() > kProfileBufferSize - 1) FUZZ_CHECK(cut.size() >= kProfileBufferSize - 4);
  std::string blanks = " \t" + Upper(section) + "  ";
  FUZZ_CHECK(ProfileGetString(text, blanks, "\t" + Upper(key) + " ", defaultValue, kLargeBuffer) ==
             whole);
}

// Every line but the key's keeps its bytes: what the write took out of the text lies within one
// line, and the lines are the old ones with one rewritten, one inserted, or two appended.
void CheckOtherLinesKept(std::string_view before, std::string_view after, std::string_view section,
                         std::string_view key, std::string_view written) {
  std::string keyLine = std::string(key) + "=" + std::string(written);
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  FUZZ_CHECK(!HasLineBreak(before.substr(prefix, before.size() - prefix - suffix)));

  std::vector<std::string_view> old = LinesOf(before);
  std::vector<std::string_view> now = LinesOf(after);
  if (now.size() == old.size()) {
    int changed = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
      if (old[i] == now[i]) continue;
      ++changed;
      // The key keeps the spelling the file gave it.
      std::size_t equals = now[i].find('=');
      FUZZ_CHECK(equals != std::string_view::npos && now[i].substr(equals + 1) == written);
    }
    FUZZ_CHECK(changed <= 1);
  } else if (now.size() == old.size() + 1) {
    std::size_t i = 0;
    while (i < old.size() && old[i] == now[i]) ++i;
    FUZZ_CHECK(now[i] == keyLine);
    for (; i < old.size(); ++i) FUZZ_CHECK(old[i] == now[i + 1]);
  } else {
    FUZZ_CHECK(now.size() == old.size() + 2);
    for (std::size_t i = 0; i < old.size(); ++i) FUZZ_CHECK(old[i] == now[i]);
    FUZZ_CHECK(now[old.size()] == "[" + std::string(section) + "]");
    FUZZ_CHECK(now[old.size() + 1] == keyLine);
  }
}

void CheckWrite(const std::string& text, std::string_view section, std::string_view key,
                std::string_view value) {
  std::string_view name = Trim(section);
  std::string_view keyName = Trim(key);
  std::string after = ProfileSetString(text, section, key, value);
  // Names that hold a line break write lines of their own; nothing passes such names.
  if (HasLineBreak(name) || HasLineBreak(keyName)) return;
  CheckOtherLinesKept(text, after, name, keyName, Written(value));

  bool keyFitsALine =
      keyName.find('=') == std::string_view::npos && (keyName.empty() || keyName.front() != '[');
  if (!keyFitsALine) return;
  FUZZ_CHECK(ProfileGetString(after, section, key, "\x01", kLargeBuffer) ==
             ReadBack(Written(value)));
  FUZZ_CHECK(ProfileSetString(after, section, key, value) == after);
}

}  // namespace
}  // namespace tolvanex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvanex::fuzz;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.empty()) return 0;
  char separator = input.front();
  input.remove_prefix(1);
  std::string_view parts[3];
  for (std::string_view& part : parts) {
    std::size_t end = input.find(separator);
    part = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  }
  std::string text(input);
  CheckRead(text, parts[0], parts[1], parts[2]);
  CheckWrite(text, parts[0], parts[1], parts[2]);
  return 0;
}
