#include "app/win32/control_text.h"

namespace tolvanex::win32 {

std::wstring ControlText(HWND control) {
  int length = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
  return text;
}

}  // namespace tolvanex::win32
