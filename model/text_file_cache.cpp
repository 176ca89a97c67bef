#include "model/text_file_cache.h"

#include <exception>

namespace tolvanex {

OpenTextFile* TextFileCache::Find(const std::string& path) {
  auto found = files_.find(path);
  return found == files_.end() ? nullptr : &found->second;
}

bool TextFileCache::HoldsFileAt(const std::string& path) const {
  auto identity = io::IdentityOf(path);
  if (!identity) return false;
  for (const auto& [name, open] : files_) {
    if (open.Identity == *identity) return true;
  }
  return false;
}

OpenTextFile& TextFileCache::Add(const std::string& path, io::OutputFile file,
                                 std::optional<double> lastDate) {
  OpenTextFile& open = files_[path];
  open.File = std::move(file);
  open.LastDate = lastDate;
  open.Identity = open.File.Handle().State().Identity;
  return open;
}

void TextFileCache::Drop(const std::string& path) {
  auto found = files_.find(path);
  if (found == files_.end()) return;
  try {
    found->second.File.Flush();
  } catch (...) {
    // The failure that led here is the one reported.
  }
  KeepTally(path, found->second);
  files_.erase(found);
}

void TextFileCache::KeepTally(const std::string& path, const OpenTextFile& file) {
  TextFileTally& tally = tallies_[path];
  tally.Appended += file.Tally.Appended;
  tally.Skipped += file.Tally.Skipped;
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
    KeepTally(path, open);
  }
  files_.clear();
  if (firstFailure) std::rethrow_exception(firstFailure);
}

}  // namespace tolvanex
