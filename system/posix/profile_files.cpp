#include "system/profile_files.h"

#include <system_error>

#include "system/file_io.h"

namespace tolvanex {

namespace {

bool IsMissing(const std::system_error& failure) {
  return failure.code() == std::errc::no_such_file_or_directory ||
         failure.code() == std::errc::not_a_directory;
}

}  // namespace

std::string ReadProfileEntry(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize) {
  std::string text;
  try {
    text = io::ReadWholeFile(path);
  } catch (const std::system_error& failure) {
    if (!IsMissing(failure)) throw;
  }
  return ProfileGetString(text, section, key, defaultValue, bufferSize);
}

bool WriteProfileEntry(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
  std::string target = io::ResolvedPath(path);
  std::string old;
  io::WriteAccess access = io::WriteAccessTo(target);
  if (access == io::WriteAccess::Refused) return false;
  bool exists = access == io::WriteAccess::Allowed;
  if (exists) {
    try {
      old = io::ReadWholeFile(target);
    } catch (const std::system_error&) {
      return false;
    }
  }

  std::string updated = ProfileSetString(old, section, key, value);
  if (exists && updated == old) return true;
  try {
    io::ReplaceWholeFile(target, updated, "settings");
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

}  // namespace tolvanex
