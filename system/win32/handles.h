// What the Windows side of the file layer shares: how files are opened and shared, handles that
// close themselves, the names that stand for devices, and file times.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "system/file_io.h"

namespace tolvanex::win32 {

// Every open lets others read, write, rename and remove the file, so that a file kept open by
// the program can be renamed or removed as on POSIX.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle that closes itself.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() {
    if (IsValid()) ::CloseHandle(handle_);
  }
  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

inline HANDLE HandleOf(const io::File& file) {
  return reinterpret_cast<HANDLE>(file.Native());
}

constexpr bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// A path whose last name is one that Windows keeps for a device in every folder (NUL, CON, AUX,
// PRN, COM1..COM9, LPT1..LPT9, CONIN$, CONOUT$), with or without an extension.
bool NamesADevice(std::string_view path);

// Opens the name only to look at it: links followed, folders too, nothing read or written. An
// invalid handle, with GetLastError set, when it cannot be opened.
UniqueHandle OpenToLookAt(const std::string& path);

// A file time as one number of 100-nanosecond ticks since 1601.
constexpr std::uint64_t TicksOf(FILETIME time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
// The ticks of 1970-01-01, where POSIX times start.
inline constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;
inline constexpr std::uint64_t kTicksPerSecond = 10'000'000;

std::uint64_t TicksNow();

}  // namespace tolvanex::win32
