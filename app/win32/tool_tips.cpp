#include "app/win32/tool_tips.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace tolvanex::win32 {

void AddToolTips(HWND window, std::initializer_list<int> controls) {
  HWND tips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
  if (tips == nullptr) return;
  // Paths may be longer than a line; a tip is at most half the screen wide and wraps.
  ::SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2);
  for (int id : controls) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window, id));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace tolvanex::win32
