// What the file layer does alike on both sides of the seam, over each side's own calls.
#include "system/file_io.h"

#include <string>
#include <system_error>
#include <utility>

namespace tolvanex::io {

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) CloseNative(handle_);
    handle_ = std::exchange(other.handle_, kNoHandle);
    path_ = std::move(other.path_);
  }
  return *this;
}

File::~File() {
  if (IsOpen()) CloseNative(handle_);
}

File CreateOrAppend(const std::string& path) {
  std::optional<FileState> existing;
  return CreateOrAppend(path, existing);
}

File CreateOrAppend(const std::string& path, std::optional<FileState>& existing) {
  existing.reset();
  try {
    return CreateNewFileToAppend(path);
  } catch (const std::system_error& failure) {
    if (failure.code() != std::errc::file_exists) throw;
  }
  FileState state;
  File file = OpenForAppending(path, state);
  existing = state;
  return file;
}

void ReplaceWholeFile(const std::string& path, std::string_view content, std::string_view kind) {
  ReplaceWholeFileWith(
      path, [content](File& file) { file.WriteAll(content); }, kind);
}

File File::Adopt(std::intptr_t handle, std::string path) {
  File file;
  file.handle_ = handle;
  file.path_ = std::move(path);
  return file;
}

std::string ReadWholeFile(const std::string& path) {
  File file = OpenForReading(path);
  std::string bytes;
  char block[64 * 1024];
  for (;;) {
    std::size_t n = file.ReadSome(block, sizeof block);
    if (n == 0) break;
    bytes.append(block, n);
  }
  return bytes;
}

std::string File::ReadRange(std::uint64_t offset, std::size_t size) {
  SeekTo(offset);
  std::string bytes(size, '\0');
  std::size_t got = 0;
  while (got < size) {
    std::size_t n = ReadSome(bytes.data() + got, size - got);
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace tolvanex::io
