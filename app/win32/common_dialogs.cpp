#include "app/win32/common_dialogs.h"

#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "app/win32/control_ids.h"
#include "base/errors.h"
#include "system/win32/wide_text.h"
#include "system/win32/win32_error.h"

namespace tolvanex::win32 {

namespace {

// Room for the longest path the system takes, for the name the user chooses.
constexpr DWORD kPathRoom = 32768;

// An item list of the shell, freed by the shell's allocator.
struct ItemListFree {
  void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

struct InputBoxTexts {
  std::wstring prompt;
  std::wstring title;
  std::wstring answer;
};

INT_PTR CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* texts = reinterpret_cast<InputBoxTexts*>(lParam);
      ::SetWindowLongPtrW(box, DWLP_USER, lParam);
      ::SetWindowTextW(box, texts->title.c_str());
      ::SetDlgItemTextW(box, IDC_INPUT_PROMPT, texts->prompt.c_str());
      HWND edit = ::GetDlgItem(box, IDC_INPUT_TEXT);
      ::SetWindowTextW(edit, texts->answer.c_str());
      ::SendMessageW(edit, EM_SETSEL, 0, -1);
      ::SetFocus(edit);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (id != IDOK && id != IDCANCEL) return FALSE;
      if (id == IDOK) {
        auto* texts = reinterpret_cast<InputBoxTexts*>(::GetWindowLongPtrW(box, DWLP_USER));
        HWND edit = ::GetDlgItem(box, IDC_INPUT_TEXT);
        std::wstring answer(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
        answer.resize(static_cast<std::size_t>(
            ::GetWindowTextW(edit, answer.data(), static_cast<int>(answer.size()))));
        texts->answer = std::move(answer);
      }
      ::EndDialog(box, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

std::wstring FilterList(const std::vector<FileFilter>& filters) {
  std::wstring list;
  for (const FileFilter& filter : filters) {
    list += WideFromAnsi(filter.Description);
    list += L'\0';
    list += WideFromAnsi(filter.Pattern);
    list += L'\0';
  }
  list += L'\0';
  return list;
}

std::string ChosenPath(const std::wstring& path) {
  std::string bytes;
  if (AnsiFromWideExactly(path, bytes)) return bytes;
  std::wstring shortPath(kPathRoom, L'\0');
  DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), kPathRoom);
  if (length > 0 && length < kPathRoom) {
    shortPath.resize(length);
    if (AnsiFromWideExactly(shortPath, bytes)) return bytes;
  }
  throw Failure("The name " + AnsiFromWide(path) +
                " cannot be written in the system's code page; choose another");
}

std::optional<std::string> ShowOpenDialog(HWND owner, const std::vector<FileFilter>& filters,
                                          const std::string& initialName) {
  std::wstring filterList = FilterList(filters);
  std::wstring name(kPathRoom, L'\0');
  std::wstring initial = WideFromAnsi(initialName);
  // A name longer than the room starts the dialog empty rather than cut.
  if (initial.size() < kPathRoom) initial.copy(name.data(), initial.size());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filterList.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = kPathRoom;
  // Explorer style and nothing else: the name need not exist, and no read-only mark is offered.
  dialog.Flags = OFN_EXPLORER;
  if (::GetOpenFileNameW(&dialog)) return ChosenPath(name.c_str());
  DWORD error = ::CommDlgExtendedError();
  if (error == 0) return std::nullopt;  // cancelled
  throw Failure("The open dialog failed (error " + std::to_string(error) + ")");
}

int CALLBACK BrowseCallbackProc(HWND picker, UINT message, LPARAM /*parameter*/, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, data);
  }
  return 0;
}

std::optional<std::string> PickFolder(HWND owner, const std::string& prompt,
                                      const std::string& startFolder) {
  ITEMIDLIST* drives = nullptr;
  HRESULT found = ::SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &drives);
  if (FAILED(found)) ThrowWin32Error(static_cast<unsigned long>(found));
  ItemList root(drives);

  // The start folder travels with the picker's call rather than through a slot of the program,
  // so that nothing outlives the call.
  std::wstring start = WideFromAnsi(startFolder);
  std::wstring title = WideFromAnsi(prompt);
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW picker{};
  picker.hwndOwner = owner;
  picker.pidlRoot = root.get();
  picker.pszDisplayName = displayName;
  picker.lpszTitle = title.c_str();
  picker.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;  // 0x41
  picker.lpfn = BrowseCallbackProc;
  picker.lParam = reinterpret_cast<LPARAM>(start.c_str());
  ItemList chosen(::SHBrowseForFolderW(&picker));
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  // A confirmed item without a path of the file system (never offered with these flags) counts
  // as no choice.
  if (!::SHGetPathFromIDListW(chosen.get(), path)) return std::nullopt;
  return ChosenPath(path);
}

std::string ShowInputBox(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) {
  InputBoxTexts texts{WideFromAnsi(prompt), WideFromAnsi(title), WideFromAnsi(defaultAnswer)};
  INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INPUT_BOX),
                                     owner, InputBoxProc, reinterpret_cast<LPARAM>(&texts));
  if (result == -1) ThrowLastError();
  if (result != IDOK) return std::string();
  return AnsiFromWide(texts.answer);
}

}  // namespace tolvanex::win32
