// version_info.exe FILE...: prints the version information of each file as the system reads it
// back, for scripts/test-windows-package. Each file gives a "File=" line, then its binary
// version and the text values as "Name=value" lines, one line each, empty when it has none.
// Exit status 1 when a file has no version information.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text) {
  int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

// The text value NAME of the first language the block lists.
std::string TextValue(const std::vector<BYTE>& block, const wchar_t* name) {
  struct Translation {
    WORD Language;
    WORD CodePage;
  }* translations = nullptr;
  UINT size = 0;
  if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &size) ||
      size < sizeof(Translation)) {
    return {};
  }
  wchar_t path[128];
  std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations->Language,
                translations->CodePage, name);
  wchar_t* value = nullptr;
  if (!::VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &size)) return {};
  return Utf8(value);
}

// A binary version as its four numbers, major first.
void PrintBinaryVersion(const char* label, DWORD high, DWORD low) {
  std::printf("%s=%u.%u.%u.%u\n", label, unsigned{HIWORD(high)}, unsigned{LOWORD(high)},
              unsigned{HIWORD(low)}, unsigned{LOWORD(low)});
}

bool PrintVersionInfo(const wchar_t* file) {
  std::printf("File=%s\n", Utf8(file).c_str());
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeW(file, &ignored);
  std::vector<BYTE> block(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (size == 0 || !::GetFileVersionInfoW(file, 0, size, block.data()) ||
      !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixedSize < sizeof(VS_FIXEDFILEINFO)) {
    std::printf("Error=no version information\n");
    return false;
  }
  PrintBinaryVersion("BinaryFileVersion", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
  PrintBinaryVersion("BinaryProductVersion", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  for (const wchar_t* name :
       {L"FileVersion", L"ProductVersion", L"ProductName", L"CompanyName", L"FileDescription",
        L"LegalCopyright", L"OriginalFilename", L"InternalName"}) {
    std::printf("%s=%s\n", Utf8(name).c_str(), TextValue(block, name).c_str());
  }
  return true;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  int status = 0;
  for (int i = 1; i < count; ++i) {
    if (!PrintVersionInfo(arguments[i])) status = 1;
  }
  ::LocalFree(arguments);
  return status;
}
