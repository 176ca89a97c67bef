#include "system/profile_files.h"

#include <windows.h>

#include <system_error>
#include <vector>

#include "system/file_io.h"

namespace tolvanex {

namespace {

// The profile functions name a file in the Windows folder when the name has no folder part.
std::string WithFolder(const std::string& path) {
  if (path.find_first_of("\\/:") != std::string::npos) return path;
  return ".\\" + path;
}

std::string Terminated(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

std::string ReadProfileEntry(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::string file = WithFolder(path);
  // A file that exists but cannot be read is a failure, not a file full of defaults.
  if (io::NameIsTaken(file)) io::OpenForReading(file);
  std::vector<char> buffer(bufferSize, '\0');
  std::string sectionText = Terminated(section);
  std::string keyText = Terminated(key);
  std::string defaultText = Terminated(defaultValue);
  DWORD length =
      GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), defaultText.c_str(),
                               buffer.data(), static_cast<DWORD>(bufferSize), file.c_str());
  return std::string(buffer.data(), length);
}

bool WriteProfileEntry(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
  std::string file = WithFolder(path);
  // The system writes a read-only file's replacement nowhere, and follows no refusal of ours:
  // a file without write permission, or one that cannot be read, is left as it is.
  io::WriteAccess access = io::WriteAccessTo(io::ResolvedPath(file));
  if (access == io::WriteAccess::Refused) return false;
  if (access == io::WriteAccess::Allowed) {
    try {
      io::OpenForReading(file);
    } catch (const std::system_error&) {
      return false;
    }
  }
  std::string clean;
  for (char c : Terminated(value)) {
    if (c != '\r' && c != '\n') clean += c;
  }
  std::string sectionText = Terminated(section);
  std::string keyText = Terminated(key);
  return WritePrivateProfileStringA(sectionText.c_str(), keyText.c_str(), clean.c_str(),
                                    file.c_str()) != 0;
}

}  // namespace tolvanex
