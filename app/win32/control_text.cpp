#include "app/win32/control_text.h"

namespace tolvanex::win32 {

std::wstring ControlText(HWND control) {
  int length = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
  return text;
}

int FontLineHeight(HWND window) {
  HDC context = ::GetDC(window);
  HGDIOBJ old =
      ::SelectObject(context, reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(context, &metrics);
  ::SelectObject(context, old);
  ::ReleaseDC(window, context);
  return metrics.tmHeight;
}

}  // namespace tolvanex::win32
