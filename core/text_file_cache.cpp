#include "core/text_file_cache.h"

#include <sys/stat.h>

#include <exception>

#include "core/date_value.h"
#include "core/line_splitter.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {

namespace {

// Longer lines are left to the read-back, which widens its look at the file's end step by step.
constexpr std::size_t kLongestLineReadBack = 1024 * 1024;

}  // namespace

OpenTextFile* TextFileCache::Find(const std::string& path) {
  auto found = files_.find(path);
  return found == files_.end() ? nullptr : &found->second;
}

bool TextFileCache::HoldsFileAt(const std::string& path) const {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return false;
  for (const auto& [name, open] : files_) {
    if (open.Device == status.st_dev && open.Inode == status.st_ino) return true;
  }
  return false;
}

OpenTextFile& TextFileCache::Add(const std::string& path, io::OutputFile file,
                                 std::optional<double> lastDate) {
  OpenTextFile& open = files_[path];
  open.File = std::move(file);
  open.LastDate = lastDate;
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) {
    open.Device = status.st_dev;
    open.Inode = status.st_ino;
  }
  return open;
}

void TextFileCache::Drop(const std::string& path) {
  files_.erase(path);
}

void TextFileCache::CloseAll(std::string& failedPath) {
  std::exception_ptr firstFailure;
  for (auto& [path, open] : files_) {
    try {
      open.File.Close();
    } catch (...) {
      if (!firstFailure) {
        firstFailure = std::current_exception();
        failedPath = path;
      }
    }
  }
  files_.clear();
  lastDateText_.reset();
  lastDateValue_.reset();
  if (firstFailure) std::rethrow_exception(firstFailure);
}

std::optional<double> TextFileCache::LastDateAfterLine(std::string_view line,
                                                       std::optional<double> dateBefore,
                                                       const Frm_Tolvanex& form) {
  if (!dateBefore || line.size() > kLongestLineReadBack) return std::nullopt;
  if (FindLineBreak(line) != std::string_view::npos) return std::nullopt;
  auto comma = line.find(',');
  // Without a date in front, the answer lies in the lines before, and the file is to be read.
  if (comma == std::string_view::npos) return std::nullopt;
  std::string_view text = line.substr(0, comma);
  if (lastDateText_ && text == *lastDateText_) return lastDateValue_;
  try {
    lastDateValue_ = ParseDateTime(text, form.Regional, form.Desktop.CurrentYear());
  } catch (...) {
    lastDateValue_ = std::nullopt;  // the read-back of the file reports it
  }
  lastDateText_ = text;
  return lastDateValue_;
}

}  // namespace tolvanex
