#include "base/paths.h"

#include "base/text.h"
#include "system/file_io.h"

namespace tolvanex {

namespace {

std::size_t LastSeparator(std::string_view path) {
  for (std::size_t i = path.size(); i-- > 0;) {
    if (IsPathSeparator(path[i])) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string AddBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && !IsPathSeparator(result.back())) result += kPathSeparator;
  return result;
}

std::string_view QuotesStripped(std::string_view text) {
  std::string_view result = TrimBlanks(text);
  if (result.size() > 1 && result.front() == '"') {
    result.remove_prefix(1);
    if (result.size() > 1 && result.back() == '"') result.remove_suffix(1);
  }
  return result;
}

std::string StripQuotes(std::string_view text) {
  return std::string(QuotesStripped(text));
}

bool FileExists(const std::string& path) {
  return io::IsRegularFile(path);
}

std::string PathOfFile(std::string_view path) {
  auto separator = LastSeparator(path);
  return std::string(separator == std::string_view::npos ? path : path.substr(0, separator));
}

std::string NameOfFile(std::string_view path) {
  auto separator = LastSeparator(path);
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string TrimNull(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

}  // namespace tolvanex
