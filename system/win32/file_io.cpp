#include "system/file_io.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include "system/file_faults.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex::io {

namespace {

using win32::HandleOf;
using win32::kShareAll;
using win32::ThrowLastError;
using win32::ThrowWin32Error;
using win32::UniqueHandle;
using win32::WideFromAnsi;

// The byte that TryLock locks lies far beyond the end of any file: a lock on Windows also keeps
// other handles from reading and writing the bytes it covers, and none of the file's own bytes
// may be kept from the readers of the file.
constexpr DWORD kLockOffsetHigh = 0x40000000;
constexpr DWORD kLockOffsetLow = 0;

// Writes and reads go in pieces that one call takes.
constexpr std::size_t kLargestPiece = 1 << 30;

constexpr DWORD kAppendAccess =
    FILE_READ_DATA | FILE_READ_ATTRIBUTES | FILE_APPEND_DATA | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;

FileState StateOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) ThrowLastError();
  FileState state;
  state.Identity = {info.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  state.Size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  auto ticks = static_cast<std::int64_t>(win32::TicksOf(info.ftLastWriteTime)) -
               static_cast<std::int64_t>(win32::kUnixEpochTicks);
  state.ModifiedNanoseconds = ticks * 100;
  state.Names = info.nNumberOfLinks;
  // A removed file that is still open somewhere may keep counting its name until it is closed.
  FILE_STANDARD_INFO standard{};
  if (::GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard) &&
      standard.DeletePending) {
    state.Names = 0;
  }
  return state;
}

// A second handle to the open file with the right to write: flushing and cutting a file need
// it, and a file opened for reading or for appending alone does not have it.
UniqueHandle WritableHandle(HANDLE handle) {
  UniqueHandle writable(::ReOpenFile(handle, GENERIC_WRITE, kShareAll, 0));
  if (!writable.IsValid()) ThrowLastError();
  return writable;
}

bool IsSymbolicLinkOrFolder(const FILE_ATTRIBUTE_TAG_INFO& info) {
  if ((info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return true;
  // Links and mount points name another file; other reparse points (files kept in the cloud,
  // deduplicated files) are files of their own.
  return (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
         IsReparseTagNameSurrogate(info.ReparseTag);
}

// Opens an output file without following a link: a link, a folder or a device under the name is
// refused with NotRegularFile, and a device name is refused before any open, so nothing blocks.
File OpenOutput(const std::string& path, DWORD access, DWORD disposition) {
  FailIfFaulty(FileOperation::Open, path, 0);
  if (win32::NamesADevice(path)) throw NotRegularFile();
  std::wstring name = WideFromAnsi(path);
  DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;
  HANDLE handle =
      ::CreateFileW(name.c_str(), access, kShareAll, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && disposition == CREATE_NEW) {
      ThrowWin32Error(ERROR_FILE_EXISTS);
    }
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
      throw NotRegularFile();
    }
    ThrowWin32Error(error);
  }
  File file = File::Adopt(reinterpret_cast<std::intptr_t>(handle), path);
  if (::GetFileType(handle) != FILE_TYPE_DISK) throw NotRegularFile();
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) {
    ThrowLastError();
  }
  if (IsSymbolicLinkOrFolder(info)) throw NotRegularFile();
  if ((info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    // A file of its own behind a reparse point is opened as the file, not as the reparse point.
    HANDLE reopened = ::CreateFileW(name.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reopened == INVALID_HANDLE_VALUE) ThrowLastError();
    file = File::Adopt(reinterpret_cast<std::intptr_t>(reopened), path);
  }
  return file;
}

}  // namespace

void ThrowSystemError(int error) {
  throw std::system_error(error, std::generic_category());
}

bool IsRegularFile(const std::string& path) {
  if (path.empty() || win32::NamesADevice(path)) return false;
  UniqueHandle file = win32::OpenToLookAt(path);
  if (!file.IsValid() || ::GetFileType(file.Get()) != FILE_TYPE_DISK) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  return ::GetFileInformationByHandle(file.Get(), &info) &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool NameIsTaken(const std::string& path) {
  if (path.empty()) return false;
  // The attributes of a link are its own: a dangling link takes its name too.
  if (::GetFileAttributesW(WideFromAnsi(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  // A file that another program holds without sharing, or one being removed, is still there.
  DWORD error = ::GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

std::uint64_t FileLength(const std::string& path) {
  UniqueHandle file = win32::OpenToLookAt(path);
  if (!file.IsValid()) ThrowLastError();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) ThrowLastError();
  return static_cast<std::uint64_t>(size.QuadPart);
}

WriteAccess WriteAccessTo(const std::string& path) {
  if (win32::NamesADevice(path)) return WriteAccess::Refused;
  UniqueHandle file = win32::OpenToLookAt(path);
  if (!file.IsValid()) {
    DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? WriteAccess::Missing
                                                                          : WriteAccess::Refused;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK ||
      !::GetFileInformationByHandle(file.Get(), &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return WriteAccess::Refused;
  }
  // Whether the file's permissions let this user write: an open for writing, which writes
  // nothing, tells.
  UniqueHandle writable(::ReOpenFile(file.Get(), FILE_WRITE_DATA, kShareAll, 0));
  return writable.IsValid() ? WriteAccess::Allowed : WriteAccess::Refused;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  auto state = StateOf(path);
  if (!state) return std::nullopt;
  return state->Identity;
}

std::optional<FileState> StateOf(const std::string& path) {
  UniqueHandle file = win32::OpenToLookAt(path);
  if (!file.IsValid()) return std::nullopt;
  try {
    return StateOfHandle(file.Get());
  } catch (const std::system_error&) {
    return std::nullopt;  // a device, which has no state of a file
  }
}

std::string FolderOfPath(const std::string& path) {
  std::size_t separator = path.size();
  while (separator > 0 && !win32::IsSeparator(path[separator - 1])) --separator;
  if (separator == 0) {
    // "C:name" lies in the current folder of drive C.
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return ".";
  }
  --separator;
  // The root of a drive, or of the current drive, keeps its separator.
  if (separator == 0 || (separator == 2 && path[1] == ':')) return path.substr(0, separator + 1);
  return path.substr(0, separator);
}

void File::CloseNative(std::intptr_t handle) noexcept {
  ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

FileState File::State() const {
  return StateOfHandle(HandleOf(*this));
}

std::size_t File::ReadSome(char* buffer, std::size_t size) {
  FailIfFaulty(FileOperation::Read, path_, size);
  DWORD got = 0;
  DWORD wanted = static_cast<DWORD>(std::min(size, kLargestPiece));
  if (!::ReadFile(HandleOf(*this), buffer, wanted, &got, nullptr)) {
    DWORD error = ::GetLastError();
    if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
    ThrowWin32Error(error);
  }
  return got;
}

void File::SeekTo(std::uint64_t offset) {
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(HandleOf(*this), position, nullptr, FILE_BEGIN)) ThrowLastError();
}

void File::WriteAll(std::string_view bytes) {
  Fault fault = FaultFor(FileOperation::Write, path_, bytes.size());
  if (fault.BytesLetThrough < bytes.size()) bytes = bytes.substr(0, fault.BytesLetThrough);
  while (!bytes.empty()) {
    DWORD written = 0;
    DWORD piece = static_cast<DWORD>(std::min(bytes.size(), kLargestPiece));
    if (!::WriteFile(HandleOf(*this), bytes.data(), piece, &written, nullptr)) ThrowLastError();
    if (written == 0) ThrowWin32Error(ERROR_DISK_FULL);
    bytes.remove_prefix(written);
  }
  if (fault.Error != 0) ThrowSystemError(fault.Error);
}

void File::TruncateTo(std::uint64_t size) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  HANDLE handle = HandleOf(*this);
  if (::SetFileInformationByHandle(handle, FileEndOfFileInfo, &end, sizeof end)) return;
  if (::GetLastError() != ERROR_ACCESS_DENIED) ThrowLastError();
  // A file opened for appending may only grow through its own handle.
  UniqueHandle writable = WritableHandle(handle);
  if (!::SetFileInformationByHandle(writable.Get(), FileEndOfFileInfo, &end, sizeof end)) {
    ThrowLastError();
  }
}

void File::SyncToDisk() {
  FailIfFaulty(FileOperation::Sync, path_, 0);
  HANDLE handle = HandleOf(*this);
  if (::FlushFileBuffers(handle)) return;
  if (::GetLastError() != ERROR_ACCESS_DENIED) ThrowLastError();
  // A file opened for reading is flushed through a handle that may write; what is flushed is the
  // file's, whichever handle wrote it.
  UniqueHandle writable = WritableHandle(handle);
  if (!::FlushFileBuffers(writable.Get())) ThrowLastError();
}

void File::AppendWhole(std::string_view bytes) {
  // Not every implementation of the system finds the end and writes there in one step for a
  // handle that may only append, so appenders take turns through a lock on the byte after the
  // one TryLock locks, far beyond the file's own bytes.
  OVERLAPPED at{};
  at.Offset = kLockOffsetLow + 1;
  at.OffsetHigh = kLockOffsetHigh;
  HANDLE handle = HandleOf(*this);
  if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) ThrowLastError();
  try {
    WriteAll(bytes);
  } catch (...) {
    ::UnlockFileEx(handle, 0, 1, 0, &at);
    throw;
  }
  if (!::UnlockFileEx(handle, 0, 1, 0, &at)) ThrowLastError();
}

bool File::TryLock() {
  // Windows locks belong to the handle: a second open of the same file by this very process is
  // refused too.
  OVERLAPPED at{};
  at.Offset = kLockOffsetLow;
  at.OffsetHigh = kLockOffsetHigh;
  if (::LockFileEx(HandleOf(*this), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &at)) {
    return true;
  }
  DWORD error = ::GetLastError();
  if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return false;
  ThrowWin32Error(error);
}

void File::Close() {
  if (!IsOpen()) return;
  HANDLE handle = HandleOf(*this);
  handle_ = kNoHandle;
  if (!::CloseHandle(handle)) ThrowLastError();
  FailIfFaulty(FileOperation::Close, path_, 0);
}

File OpenForReading(const std::string& path) {
  FailIfFaulty(FileOperation::Open, path, 0);
  // A device name is refused unopened: a console or a port may hold the program.
  if (win32::NamesADevice(path)) ThrowSystemError(EINVAL);
  HANDLE handle = ::CreateFileW(WideFromAnsi(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) ThrowLastError();
  File file = File::Adopt(reinterpret_cast<std::intptr_t>(handle), path);
  if (::GetFileType(handle) != FILE_TYPE_DISK) ThrowSystemError(EINVAL);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) ThrowLastError();
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) ThrowSystemError(EISDIR);
  return file;
}

File OpenForReading(const std::string& path, FileState& state) {
  File file = OpenForReading(path);
  state = file.State();
  return file;
}

File CreateNewFile(const std::string& path) {
  return OpenOutput(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
}

File CreateNewFileToAppend(const std::string& path) {
  return OpenOutput(path, kAppendAccess, CREATE_NEW);
}

File OpenForAppending(const std::string& path) {
  // Without the right to write anywhere but at the end, every write goes to the end, also after
  // another program has made the file longer.
  return OpenOutput(path, kAppendAccess, OPEN_EXISTING);
}

File OpenForAppending(const std::string& path, FileState& state) {
  File file = OpenForAppending(path);
  state = file.State();
  return file;
}

File OpenLockFile(const std::string& path) {
  return OpenOutput(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
}

}  // namespace tolvanex::io
