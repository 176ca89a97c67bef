// shortcut_target.exe LINK: prints the path that the shell link LINK (a .lnk file) starts, as the
// shell reads it, for scripts/test-windows-package. Exit status 1 when it cannot be read.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shobjidl.h>

#include <cstdio>

namespace {

bool PrintTarget(const wchar_t* link) {
  IShellLinkW* shellLink = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  wchar_t target[MAX_PATH] = L"";
  bool read =
      SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(link, STGM_READ)) &&
      SUCCEEDED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) && target[0] != L'\0';
  if (file != nullptr) file->Release();
  shellLink->Release();
  if (!read) return false;
  char text[MAX_PATH * 4];
  if (::WideCharToMultiByte(CP_UTF8, 0, target, -1, text, sizeof text, nullptr, nullptr) == 0) {
    return false;
  }
  std::printf("%s\n", text);
  return true;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  bool read = false;
  if (count == 2 && SUCCEEDED(::CoInitialize(nullptr))) {
    read = PrintTarget(arguments[1]);
    ::CoUninitialize();
  }
  ::LocalFree(arguments);
  if (!read) std::fprintf(stderr, "shortcut_target: cannot read the shell link\n");
  return read ? 0 : 1;
}
