#include "app/win32/centred_text_box.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "app/win32/control_text.h"

namespace tolvanex::win32 {

namespace {

constexpr UINT_PTR kSubclass = 0x746f6c76;

bool IsOfClass(HWND window, const wchar_t* name) {
  wchar_t kind[16] = {};
  ::GetClassNameW(window, kind, 16);
  return ::lstrcmpiW(kind, name) == 0;
}

bool IsEdit(HWND box) {
  return IsOfClass(box, L"Edit");
}

// How far below the top of its inside the control draws its line: an edit control with a border
// keeps a pixel (two with a plain border) between; the text field of a combo box and a static
// control, which centres its text itself, none.
int LineOffset(HWND box) {
  if (!IsEdit(box)) return 0;
  if ((::GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0) return 1;
  if ((::GetWindowLongW(box, GWL_STYLE) & WS_BORDER) != 0)
    return ::GetSystemMetrics(SM_CYBORDER) + 1;
  return 0;
}

// Takes the room above and below the line from the inside (in the parent's coordinates) so that
// the line stands in the middle of the box the user sees: the control's own outline, or for the
// text field of a combo box the combo box's.
void CentreLine(HWND box, const RECT& outline, RECT& inside) {
  RECT seen = outline;
  HWND parent = ::GetParent(box);
  if (IsOfClass(parent, L"ComboBox")) {
    ::GetWindowRect(parent, &seen);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&seen), 2);
  }
  int line = FontLineHeight(box);
  int offset = LineOffset(box);
  int lineTop = seen.top + (seen.bottom - seen.top - line) / 2;
  int above = std::max<int>(0, lineTop - offset - inside.top);
  int below = std::max<int>(0, inside.bottom - (lineTop + line + offset));
  if (above + below > inside.bottom - inside.top) return;
  inside.top += above;
  inside.bottom -= below;
}

// The room between the border and the inside, in the colour the box's inside has now: the one
// the window gives it, or for a text box that cannot be written to that of a static control.
void PaintPadding(HWND box) {
  RECT outer{};
  ::GetWindowRect(box, &outer);
  RECT inside{};
  ::GetClientRect(box, &inside);
  ::MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&inside), 2);
  ::OffsetRect(&inside, -outer.left, -outer.top);
  RECT withinBorder{0, 0, outer.right - outer.left, outer.bottom - outer.top};
  LONG exStyle = ::GetWindowLongW(box, GWL_EXSTYLE);
  int edge = (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0
                 ? ::GetSystemMetrics((exStyle & WS_EX_CLIENTEDGE) != 0 ? SM_CXEDGE : SM_CXBORDER)
                 : 0;
  if ((::GetWindowLongW(box, GWL_STYLE) & WS_BORDER) != 0) edge += ::GetSystemMetrics(SM_CXBORDER);
  ::InflateRect(&withinBorder, -edge, -edge);
  if (::EqualRect(&withinBorder, &inside)) return;
  HDC context = ::GetWindowDC(box);
  bool edit = IsEdit(box);
  bool asStatic = !edit || ::IsWindowEnabled(box) == FALSE ||
                  (::GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0;
  UINT message = asStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
      ::GetParent(box), message, reinterpret_cast<WPARAM>(context), reinterpret_cast<LPARAM>(box)));
  if (brush == nullptr) brush = ::GetSysColorBrush(asStatic && edit ? COLOR_BTNFACE : COLOR_WINDOW);
  ::ExcludeClipRect(context, inside.left, inside.top, inside.right, inside.bottom);
  ::FillRect(context, &withinBorder, brush);
  ::ReleaseDC(box, context);
}

LRESULT CALLBACK CentringProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR sideRoom) {
  switch (message) {
    case WM_NCCALCSIZE: {
      // Either form of the message starts with the window's new rectangle, which the system
      // turns into that of the inside.
      RECT& inside = *reinterpret_cast<RECT*>(lParam);
      RECT outline = inside;
      LRESULT result = ::DefSubclassProc(box, message, wParam, lParam);
      CentreLine(box, outline, inside);
      int side = std::min<int>(static_cast<int>(sideRoom), (inside.right - inside.left) / 4);
      inside.left += side;
      inside.right -= side;
      return result;
    }
    case WM_NCPAINT: {
      LRESULT result = ::DefSubclassProc(box, message, wParam, lParam);
      PaintPadding(box);
      return result;
    }
    case WM_ENABLE:
    case WM_SETFONT: {
      LRESULT result = ::DefSubclassProc(box, message, wParam, lParam);
      // The padding follows the font and takes the colour of the new state.
      ::SetWindowPos(box, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      return result;
    }
    case WM_NCHITTEST: {
      // A click above or below the line is a click into the box.
      LRESULT hit = ::DefSubclassProc(box, message, wParam, lParam);
      return hit == HTBORDER || hit == HTNOWHERE ? HTCLIENT : hit;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(box, CentringProcedure, kSubclass);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

void CentreTextVertically(HWND box, int sideRoom) {
  ::SetWindowSubclass(box, CentringProcedure, kSubclass, static_cast<DWORD_PTR>(sideRoom));
  ::SetWindowPos(box, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace tolvanex::win32
