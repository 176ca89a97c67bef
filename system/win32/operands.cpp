#include "system/operands.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "system/win32/folder_listing.h"
#include "system/win32/wide_text.h"

namespace tolvanex {

namespace {

std::wstring Upper(std::string_view text) {
  std::wstring wide = win32::WideFromAnsi(std::string(text));
  if (!wide.empty()) ::CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return wide;
}

// "*" any run, "?" any one character; both texts in upper case.
bool Matches(std::wstring_view pattern, std::wstring_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starAt = std::wstring_view::npos;
  std::size_t resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt != std::wstring_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  if (p == pattern.size()) return true;
  // As the system's listing: a pattern that ends in ".*" also takes a name without that dot.
  return pattern.substr(p) == L".*" && name.find(L'.') == std::wstring_view::npos;
}

bool NameIsBefore(const std::string& a, const std::string& b) {
  std::wstring wideA = win32::WideFromAnsi(a);
  std::wstring wideB = win32::WideFromAnsi(b);
  int order = ::CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                     static_cast<int>(wideB.size()), TRUE);
  return order == CSTR_EQUAL ? a < b : order == CSTR_LESS_THAN;
}

void Expand(const std::string& operand, std::vector<std::string>& out) {
  std::size_t lastPart = operand.find_last_of("\\/:");
  lastPart = lastPart == std::string::npos ? 0 : lastPart + 1;
  std::string_view pattern = std::string_view(operand).substr(lastPart);
  if (pattern.find_first_of("*?") == std::string_view::npos) {
    out.push_back(operand);
    return;
  }
  std::string folderPart = operand.substr(0, lastPart);
  // "C:" alone names the current folder of drive C.
  std::string folder =
      !folderPart.empty() && folderPart.back() == ':' ? folderPart + "." : folderPart;
  std::wstring wanted = Upper(pattern);
  std::vector<std::string> names;
  try {
    win32::ListFolder(folder, [&](const win32::FolderEntry& entry) {
      if ((entry.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) != 0) return;
      if (Matches(wanted, Upper(entry.Name))) names.push_back(entry.Name);
    });
  } catch (...) {
    names.clear();  // a folder that cannot be listed has no matches to give
  }
  if (names.empty()) {
    out.push_back(operand);
    return;
  }
  std::sort(names.begin(), names.end(), NameIsBefore);
  for (const std::string& name : names) out.push_back(folderPart + name);
}

}  // namespace

std::vector<std::string> ExpandWildcards(const std::vector<std::string>& operands) {
  std::vector<std::string> expanded;
  for (const std::string& operand : operands) Expand(operand, expanded);
  return expanded;
}

}  // namespace tolvanex
