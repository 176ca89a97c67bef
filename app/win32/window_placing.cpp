#include "app/win32/window_placing.h"

#include <vector>

namespace tolvanex::win32 {

namespace {

// The work areas of the screens, the primary screen first.
std::vector<ScreenArea> Screens() {
  std::vector<ScreenArea> screens;
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
        auto& list = *reinterpret_cast<std::vector<ScreenArea>*>(data);
        ScreenArea area{info.rcWork.left, info.rcWork.top, info.rcWork.right - info.rcWork.left,
                        info.rcWork.bottom - info.rcWork.top};
        // The primary screen first: a window that fits no screen goes there.
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
          list.insert(list.begin(), area);
        } else {
          list.push_back(area);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&screens));
  return screens;
}

// The offset of a screen's work area from the screen: a panel at its top or left moves it. The
// normal place of a window is kept relative to the work area.
POINT WorkAreaOffset(const RECT& area) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = ::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST);
  if (!::GetMonitorInfoW(monitor, &info)) return POINT{0, 0};
  return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

}  // namespace

RECT OuterFor(HWND window, int width, int height) {
  RECT outer{0, 0, width, height};
  auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  auto extended = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
  ::AdjustWindowRectEx(&outer, style & ~WS_MAXIMIZE, ::GetMenu(window) != nullptr, extended);
  return outer;
}

void ShowPlaced(HWND window, const std::optional<WindowPlacement>& kept) {
  if (!kept) {
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    return;
  }
  WindowPlacement placement = FitToScreens(*kept, Screens());
  RECT outer = OuterFor(window, placement.Width, placement.Height);
  WINDOWPLACEMENT place{};
  place.length = sizeof place;
  ::GetWindowPlacement(window, &place);
  place.rcNormalPosition =
      RECT{placement.Left, placement.Top, placement.Left + (outer.right - outer.left),
           placement.Top + (outer.bottom - outer.top)};
  POINT offset = WorkAreaOffset(place.rcNormalPosition);
  ::OffsetRect(&place.rcNormalPosition, -offset.x, -offset.y);
  place.showCmd = placement.Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  ::SetWindowPlacement(window, &place);
  ::UpdateWindow(window);
}

std::optional<WindowPlacement> PlacementOf(HWND window) {
  WINDOWPLACEMENT place{};
  place.length = sizeof place;
  if (!::GetWindowPlacement(window, &place)) return std::nullopt;
  // The normal place of a maximized window is kept, so that it comes back to it when restored.
  RECT normal = place.rcNormalPosition;
  POINT offset = WorkAreaOffset(normal);
  ::OffsetRect(&normal, offset.x, offset.y);
  RECT frame = OuterFor(window, 0, 0);
  bool maximized = ::IsZoomed(window) != FALSE ||
                   (::IsIconic(window) && (place.flags & WPF_RESTORETOMAXIMIZED) != 0);
  return WindowPlacement{normal.left, normal.top,
                         (normal.right - normal.left) - (frame.right - frame.left),
                         (normal.bottom - normal.top) - (frame.bottom - frame.top), maximized};
}

}  // namespace tolvanex::win32
