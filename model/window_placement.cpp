#include "model/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace tolvanex {

namespace {

std::int64_t CoveredArea(const WindowPlacement& window, const ScreenArea& screen) {
  std::int64_t width =
      std::min<std::int64_t>(window.Left + window.Width, screen.Left + screen.Width) -
      std::max(window.Left, screen.Left);
  std::int64_t height =
      std::min<std::int64_t>(window.Top + window.Height, screen.Top + screen.Height) -
      std::max(window.Top, screen.Top);
  return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

WindowPlacement FitToScreens(WindowPlacement placement, const std::vector<ScreenArea>& screens) {
  if (screens.empty()) return placement;
  const ScreenArea* best = nullptr;
  std::int64_t bestArea = 0;
  for (const ScreenArea& screen : screens) {
    std::int64_t area = CoveredArea(placement, screen);
    if (area > bestArea) {
      best = &screen;
      bestArea = area;
    }
  }
  const ScreenArea& screen = best != nullptr ? *best : screens.front();
  placement.Width = std::clamp(placement.Width, 1, std::max(1, screen.Width));
  placement.Height = std::clamp(placement.Height, 1, std::max(1, screen.Height));
  if (best == nullptr) {
    placement.Left = screen.Left + (screen.Width - placement.Width) / 2;
    placement.Top = screen.Top + (screen.Height - placement.Height) / 2;
  }
  placement.Left =
      std::clamp(placement.Left, screen.Left, screen.Left + screen.Width - placement.Width);
  placement.Top =
      std::clamp(placement.Top, screen.Top, screen.Top + screen.Height - placement.Height);
  return placement;
}

}  // namespace tolvanex
