#include "model/text_file_cache.h"

#include <algorithm>
#include <exception>

#include "system/file_io.h"
#include "system/limits.h"

namespace tolvanex {

namespace {

// Descriptors left for everything else a run opens: the data file, a post file, lock files, the
// lookup file and its temporary.
constexpr std::size_t kDescriptorsForTheRest = 64;
constexpr std::size_t kFewestOpen = 4;

}  // namespace

std::size_t TextFileCache::MostOpen() {
  if (mostOpen_ == 0) {
    std::size_t limit = OpenFileLimit();
    mostOpen_ =
        std::max(kFewestOpen, limit > kDescriptorsForTheRest ? limit - kDescriptorsForTheRest : 0);
  }
  return mostOpen_;
}

OpenTextFile* TextFileCache::Find(const std::string& path) {
  OpenTextFile* found = byPath_.Find(path);
  if (found != nullptr) byUse_.splice(byUse_.begin(), byUse_, found->Use);
  return found;
}

void TextFileCache::MakeRoom(std::string& failedPath) {
  while (files_.size() >= MostOpen()) {
    failedPath = byUse_.back();
    Close(files_.find(byUse_.back()));
    failedPath.clear();
  }
}

bool TextFileCache::CloseOtherNameOf(const std::string& path, const io::FileIdentity& identity,
                                     std::string& failedPath) {
  IndexByIdentity(failedPath);
  auto holder = byIdentity_.find(identity);
  if (holder == byIdentity_.end() || holder->second == path) return false;
  failedPath = holder->second;
  Close(files_.find(holder->second));
  failedPath.clear();
  return true;
}

void TextFileCache::IndexByIdentity(std::string& failedPath) {
  for (const std::string& path : notIndexed_) {
    auto found = files_.find(path);
    if (found == files_.end() || found->second.Identity) continue;
    failedPath = path;
    found->second.Identity = found->second.File.Identity();
    byIdentity_[*found->second.Identity] = path;
  }
  failedPath.clear();
  notIndexed_.clear();
}

void TextFileCache::Close(std::unordered_map<std::string, OpenTextFile>::iterator open) {
  OpenTextFile& file = open->second;
  ClosedTextFile& closed = closed_[open->first];
  try {
    file.File.Flush();
    closed.State = file.File.CheckName();
    closed.LastDate = file.LastDate;
  } catch (...) {
    closed_.erase(open->first);
    Drop(open->first);
    throw;
  }
  file.File.Handle().Close();
  KeepTally(open->first, file);
  Forget(open);
}

OpenTextFile& TextFileCache::Add(const std::string& path, io::OutputFile file,
                                 std::optional<double> lastDate) {
  writeBack_.Watch(io::FolderOfPath(path));
  byUse_.push_front(path);
  auto [entry, added] = files_.try_emplace(path);
  if (added) byPath_.Insert(entry->first, &entry->second);
  OpenTextFile& open = entry->second;
  open.File = std::move(file);
  open.LastDate = lastDate;
  open.Identity = open.File.KnownIdentity();
  open.Use = byUse_.begin();
  if (open.Identity) {
    byIdentity_[*open.Identity] = path;
  } else {
    notIndexed_.push_back(path);
  }
  closed_.erase(path);
  ShareBuffers();
  open.File.SetFlushThreshold(bufferShare_);
  return open;
}

void TextFileCache::ShareBuffers() {
  std::size_t share = std::clamp(kBufferBudget / std::max<std::size_t>(files_.size(), 1),
                                 kSmallestBuffer, kLargestBuffer);
  // Lowered for all only when the share has fallen by an eighth, so that a run that opens its
  // files one after the other does not go over all of them each time; the buffers together then
  // stay within 8/7 of the budget.
  if (share > bufferShare_ - bufferShare_ / 8) return;
  bufferShare_ = share;
  for (auto& [path, open] : files_) open.File.SetFlushThreshold(share);
}

std::optional<double> TextFileCache::KnownLastDate(const std::string& path,
                                                   const io::FileState& state) const {
  auto found = closed_.find(path);
  if (found == closed_.end() || !(found->second.State == state)) return std::nullopt;
  return found->second.LastDate;
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
  Forget(found);
}

void TextFileCache::Forget(std::unordered_map<std::string, OpenTextFile>::iterator open) {
  byUse_.erase(open->second.Use);
  if (open->second.Identity) {
    auto holder = byIdentity_.find(*open->second.Identity);
    if (holder != byIdentity_.end() && holder->second == open->first) byIdentity_.erase(holder);
  }
  byPath_.Erase(open->first);
  files_.erase(open);
}

void TextFileCache::KeepTally(const std::string& path, const OpenTextFile& file) {
  TextFileTally& tally = tallies_[path];
  tally.Appended += file.Tally.Appended;
  tally.Skipped += file.Tally.Skipped;
}

void TextFileCache::CloseAll(std::string& failedPath) {
  std::exception_ptr firstFailure;
  auto keepFirst = [&](const std::string& path) {
    if (firstFailure) return;
    firstFailure = std::current_exception();
    failedPath = path;
  };
  // A few files are written back one by one, which touches nothing else on the disk; many at
  // once, by their file systems as a whole, which costs no more than one file.
  bool oneByOne = files_.size() + closed_.size() <= kWrittenBackOneByOne;
  for (auto& [path, open] : files_) {
    try {
      open.File.Close(oneByOne);
    } catch (...) {
      keepFirst(path);
    }
    KeepTally(path, open);
  }
  files_.clear();
  byPath_.Clear();
  byUse_.clear();
  byIdentity_.clear();
  notIndexed_.clear();
  if (oneByOne) {
    for (const auto& [path, closed] : closed_) {
      try {
        io::OpenForReading(path).SyncToDisk();
      } catch (...) {
        keepFirst(path);
      }
    }
    writeBack_ = io::WriteBack();
  } else {
    std::string failedFolder;
    try {
      writeBack_.Finish(failedFolder);
    } catch (...) {
      keepFirst(failedFolder);
    }
  }
  closed_.clear();
  bufferShare_ = kLargestBuffer;
  if (firstFailure) std::rethrow_exception(firstFailure);
}

}  // namespace tolvanex
