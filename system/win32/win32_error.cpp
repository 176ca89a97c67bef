#include "system/win32/win32_error.h"

#include <windows.h>

#include <cstdio>

#include "system/win32/wide_text.h"

namespace tolvanex::win32 {

namespace {

// Codes that the compiler's headers may lack.
constexpr DWORD kDirectoryNotSupported = 336;
constexpr DWORD kDiskQuotaExceeded = 1295;

// The std::errc that a Windows error stands for where the program asks about one; the others
// stay codes of their own.
std::errc GenericOf(DWORD error, bool& known) {
  known = true;
  switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return std::errc::file_exists;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_UNIT:
      return std::errc::no_such_file_or_directory;
    case ERROR_DIRECTORY:
      return std::errc::not_a_directory;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_CANNOT_MAKE:
    case ERROR_DELETE_PENDING:
    case ERROR_PRIVILEGE_NOT_HELD:
      return std::errc::permission_denied;
    case ERROR_LOCK_VIOLATION:
      return std::errc::no_lock_available;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case kDiskQuotaExceeded:
      return std::errc::no_space_on_device;
    case ERROR_TOO_MANY_OPEN_FILES:
      return std::errc::too_many_files_open;
    case kDirectoryNotSupported:
      return std::errc::is_a_directory;
    case ERROR_DIR_NOT_EMPTY:
      return std::errc::directory_not_empty;
    case ERROR_NOT_SAME_DEVICE:
      return std::errc::cross_device_link;
    case ERROR_FILENAME_EXCED_RANGE:
      return std::errc::filename_too_long;
    case ERROR_FILE_TOO_LARGE:
      return std::errc::file_too_large;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_PARAMETER:
    case ERROR_NEGATIVE_SEEK:
      return std::errc::invalid_argument;
    case ERROR_INVALID_HANDLE:
      return std::errc::bad_file_descriptor;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return std::errc::not_enough_memory;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
      return std::errc::io_error;
    case ERROR_NOT_READY:
    case ERROR_BUSY:
      return std::errc::device_or_resource_busy;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return std::errc::broken_pipe;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
      return std::errc::not_supported;
    case ERROR_CANT_RESOLVE_FILENAME:
      return std::errc::too_many_symbolic_link_levels;
    default:
      known = false;
      return std::errc();
  }
}

class Category : public std::error_category {
 public:
  const char* name() const noexcept override { return "win32"; }

  std::string message(int error) const override {
    return SystemMessage(static_cast<unsigned long>(error));
  }

  std::error_condition default_error_condition(int error) const noexcept override {
    bool known = false;
    std::errc generic = GenericOf(static_cast<DWORD>(error), known);
    return known ? std::make_error_condition(generic) : std::error_condition(error, *this);
  }
};

}  // namespace

const std::error_category& Win32Category() {
  static const Category category;
  return category;
}

std::error_code Win32Error(unsigned long error) {
  return std::error_code(static_cast<int>(error), Win32Category());
}

void ThrowWin32Error(unsigned long error) {
  throw std::system_error(Win32Error(error));
}

void ThrowLastError() {
  ThrowWin32Error(::GetLastError());
}

std::string SystemMessage(unsigned long error) {
  wchar_t* text = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0 || text == nullptr) {
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "Error %lu", error);
    return fallback;
  }
  std::wstring_view wide(text, length);
  // The system ends its messages with a line end (and some with a blank after the period).
  while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ')) {
    wide.remove_suffix(1);
  }
  std::string message;
  try {
    message = AnsiFromWide(wide);
  } catch (...) {
    message = "Error " + std::to_string(error);
  }
  ::LocalFree(text);
  return message;
}

}  // namespace tolvanex::win32
