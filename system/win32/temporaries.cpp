// Temporary files, their publication under a final name and the replacement of a whole file.
#include <windows.h>
// After windows.h, which it needs.
#include <aclapi.h>

#include <atomic>
#include <string>
#include <utility>

#include "system/file_faults.h"
#include "system/file_io.h"
#include "system/win32/folder_listing.h"
#include "system/win32/handles.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex::io {

namespace {

using win32::kShareAll;
using win32::UniqueHandle;
using win32::WideFromAnsi;

// A temporary is left behind when its writer was killed; one this old that nobody holds is.
constexpr std::uint64_t kStaleAfterTicks = 120 * win32::kTicksPerSecond;
constexpr int kNameAttempts = 100;
// No right to remove the file is kept: while a handle holds it, every other program that opens
// the file without sharing its removal (most do) would be refused. Removal takes it for a moment.
constexpr DWORD kTemporaryAccess = GENERIC_READ | GENERIC_WRITE | READ_CONTROL | WRITE_DAC;
// The attributes that a replacement takes over from the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::string TemporaryStem(std::string_view kind) {
  std::string stem(kTemporaryPrefix);
  stem.append(kind);
  stem += '-';
  return stem;
}

// Six characters that no other attempt of this process gives, and another process most likely
// not either.
std::string SixCharacters() {
  static std::atomic<std::uint64_t> counter{0};
  LARGE_INTEGER clock{};
  ::QueryPerformanceCounter(&clock);
  std::uint64_t x = static_cast<std::uint64_t>(clock.QuadPart) ^
                    (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 40) ^
                    (counter.fetch_add(1) * 0x9E3779B97F4A7C15ULL);
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ULL;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBULL;
  x ^= x >> 31;
  constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string six;
  for (int i = 0; i < 6; ++i) {
    six += kLetters[x % kLetters.size()];
    x /= kLetters.size();
  }
  return six;
}

void SetAttributes(HANDLE handle, DWORD attributes) {
  FILE_BASIC_INFO basic{};  // times of 0 stay as they are
  basic.FileAttributes = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
  if (!::SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic)) {
    win32::ThrowLastError();
  }
}

// Removes the open file by a handle to it, so that no other file that took its name meanwhile
// is hit; false when the system refuses.
bool RemoveOpenFile(HANDLE handle) {
  UniqueHandle removing(::ReOpenFile(handle, DELETE, kShareAll, 0));
  if (!removing.IsValid()) return false;
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  return ::SetFileInformationByHandle(removing.Get(), FileDispositionInfo, &disposition,
                                      sizeof disposition);
}

// The replacement takes over the old file's permissions (its access list, inherited or its own)
// and its attributes. Without the right to read the old list, the folder's inherited one stays.
void TakeOverPermissions(HANDLE old, HANDLE replacement) {
  FILE_BASIC_INFO basic{};
  if (!::GetFileInformationByHandleEx(old, FileBasicInfo, &basic, sizeof basic)) {
    win32::ThrowLastError();
  }
  SetAttributes(replacement, basic.FileAttributes & kKeptAttributes);
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetSecurityInfo(old, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                        nullptr, &descriptor) != ERROR_SUCCESS) {
    return;
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ::GetSecurityDescriptorControl(descriptor, &control, &revision);
  SECURITY_INFORMATION what =
      DACL_SECURITY_INFORMATION |
      ((control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION
                                          : UNPROTECTED_DACL_SECURITY_INFORMATION);
  DWORD error =
      ::SetSecurityInfo(replacement, SE_FILE_OBJECT, what, nullptr, nullptr, list, nullptr);
  ::LocalFree(descriptor);
  if (error != ERROR_SUCCESS) win32::ThrowWin32Error(error);
}

}  // namespace

File CreateTemporary(const std::string& folder, std::string_view kind) {
  std::string stem = win32::InFolder(folder, TemporaryStem(kind));
  FailIfFaulty(FileOperation::Open, stem + "XXXXXX", 0);
  for (int attempt = 0;; ++attempt) {
    std::string name = stem + SixCharacters();
    HANDLE handle = ::CreateFileW(WideFromAnsi(name).c_str(), kTemporaryAccess, kShareAll, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      DWORD error = ::GetLastError();
      if ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) &&
          attempt + 1 < kNameAttempts) {
        continue;
      }
      win32::ThrowWin32Error(error);
    }
    File file = File::Adopt(reinterpret_cast<std::intptr_t>(handle), name);
    file.TryLock();
    return file;
  }
}

void PublishTemporary(File& temporary, const std::string& path) {
  FailIfFaulty(FileOperation::Rename, path, 0);
  HANDLE handle = win32::HandleOf(temporary);
  // Shown under its name from the start; hidden again when the name is taken.
  SetAttributes(handle, FILE_ATTRIBUTE_NORMAL);
  if (!::MoveFileExW(WideFromAnsi(temporary.Path()).c_str(), WideFromAnsi(path).c_str(),
                     MOVEFILE_WRITE_THROUGH)) {
    DWORD error = ::GetLastError();
    try {
      SetAttributes(handle, FILE_ATTRIBUTE_HIDDEN);
    } catch (const std::system_error&) {
      // The failure to publish is the one to report.
    }
    win32::ThrowWin32Error(error);
  }
  temporary = File::Adopt(temporary.Release(), path);
}

void DiscardTemporary(File& temporary) {
  if (!temporary.IsOpen()) return;
  if (!RemoveOpenFile(win32::HandleOf(temporary))) {
    ::DeleteFileW(WideFromAnsi(temporary.Path()).c_str());
  }
  temporary = File();
}

void RemoveStaleTemporaries(const std::string& folder, std::string_view kind) {
  std::string stem = TemporaryStem(kind);
  std::uint64_t now = win32::TicksNow();
  std::vector<std::string> stale;
  try {
    win32::ListFolder(folder, [&](const win32::FolderEntry& entry) {
      if (!entry.Name.starts_with(stem) || entry.Name.size() != stem.size() + 6) return;
      if ((entry.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
          entry.WrittenTicks + kStaleAfterTicks > now) {
        return;
      }
      stale.push_back(win32::InFolder(folder, entry.Name));
    });
  } catch (const std::system_error&) {
    return;  // a folder that cannot be listed holds nothing to clear away
  }
  for (const std::string& path : stale) {
    File file = File::Adopt(reinterpret_cast<std::intptr_t>(::CreateFileW(
                                WideFromAnsi(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr)),
                            path);
    if (win32::HandleOf(file) == INVALID_HANDLE_VALUE) {
      file.Release();
      continue;
    }
    // A temporary that its writer still has open is locked; only one left behind is free.
    try {
      if (file.TryLock()) RemoveOpenFile(win32::HandleOf(file));
    } catch (const std::system_error&) {
    }
  }
}

void ReplaceWholeFileWith(const std::string& path, const std::function<void(File&)>& writeContent,
                          std::string_view kind) {
  // A link is followed: the file it names gets the new content, and the link stays.
  std::string target = ResolvedPath(path);
  if (win32::NamesADevice(target)) throw NotRegularFile();
  UniqueHandle old = win32::OpenToLookAt(target);
  if (old.IsValid()) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(old.Get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(old.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      throw NotRegularFile();
    }
    // The list of permissions is read through a handle that may read it.
    old = UniqueHandle(::ReOpenFile(old.Get(), READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, 0));
  }
  std::string folder = FolderOfPath(target);
  RemoveStaleTemporaries(folder, kind);
  File temporary = CreateTemporary(folder, kind);
  try {
    if (old.IsValid()) {
      TakeOverPermissions(old.Get(), win32::HandleOf(temporary));
    } else {
      SetAttributes(win32::HandleOf(temporary), FILE_ATTRIBUTE_NORMAL);
    }
    old = UniqueHandle();
    writeContent(temporary);
    temporary.SyncToDisk();
    FailIfFaulty(FileOperation::Rename, target, 0);
    if (!::MoveFileExW(WideFromAnsi(temporary.Path()).c_str(), WideFromAnsi(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      win32::ThrowLastError();
    }
    temporary.Close();
  } catch (...) {
    DiscardTemporary(temporary);
    throw;
  }
}

}  // namespace tolvanex::io
