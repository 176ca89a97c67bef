// What the fuzz targets share: a check that ends the run on a broken rule, and a scratch folder
// for the targets that read files. The targets that run the conversion's routines take the quiet
// observer of tests/support besides.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/file_io.h"
#include "system/regional_settings.h"
#include "tests/support/german_settings.h"

namespace tolvanex::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

// Unlike assert, never compiled away: a fuzz build is optimised.
#define FUZZ_CHECK(condition) \
  ((condition) ? void() : ::tolvanex::fuzz::Fail(#condition, __FILE__, __LINE__))

// Settings of a German locale: day-month-year with ".", month names with a non-ASCII letter, and
// no AM/PM texts.
inline RegionalSettings GermanRegionalSettings() {
  RegionalSettings regional = testing::GermanRegionalSettings();
  regional.AmText = "";
  regional.PmText = "";
  return regional;
}

// A folder of this process under $TMPDIR, removed when the process ends normally. Never
// destroyed itself, so that the removal at exit can still read its name.
inline const std::string& ScratchFolder() {
  static const std::string* const folder = [] {
    const char* base = std::getenv("TMPDIR");
    auto* path = new std::string(std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                                 "/tolvanex-fuzz-XXXXXX");
    if (::mkdtemp(path->data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return path;
  }();
  return *folder;
}

// The bytes as the whole content of a new file at path. A new file rather than an emptied one:
// some file systems flush an emptied file to disk when it is closed.
inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  ::unlink(path.c_str());
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  FUZZ_CHECK(fd >= 0);
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    FUZZ_CHECK(n > 0);
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  FUZZ_CHECK(::close(fd) == 0);
}

// The lines of a text: CR LF, a lone CR and a lone LF each end one, and a last line without an
// end counts too. Written out here rather than taken from the code under test.
inline std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace tolvanex::fuzz
