#include "system/win32/handles.h"

#include "system/win32/wide_text.h"

namespace tolvanex::win32 {

namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

}  // namespace

bool NamesADevice(std::string_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1]) && path[start - 1] != ':') --start;
  std::string_view name = path.substr(start);
  // What counts is the name up to its first dot, blanks at its end dropped: "nul.txt" and
  // "NUL " are the device too.
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (SameLetters(name, device)) return true;
  }
  if (name.size() == 4 &&
      (SameLetters(name.substr(0, 3), "COM") || SameLetters(name.substr(0, 3), "LPT"))) {
    return name[3] >= '0' && name[3] <= '9';
  }
  return false;
}

UniqueHandle OpenToLookAt(const std::string& path) {
  if (path.empty()) {
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return UniqueHandle();
  }
  return UniqueHandle(::CreateFileW(WideFromAnsi(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::uint64_t TicksNow() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return TicksOf(now);
}

}  // namespace tolvanex::win32
