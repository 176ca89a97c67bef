// Where the window stands on the screens and how large it is, kept from one start to the next.
#pragma once

#include <vector>

namespace tolvanex {

// The window's outer position and the size of its inside, in the desktop's pixels; its normal
// place when it is maximized.
struct WindowPlacement {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Maximized = false;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// The part of one screen that windows may take (without panels and docks).
struct ScreenArea {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// The placement moved and shrunk as little as it takes to lie whole on one screen: the one it
// covers most, or, when it covers none (a screen that is gone, a smaller resolution), the first
// screen, in whose middle it is put. Without screens it stays as it is.
WindowPlacement FitToScreens(WindowPlacement placement, const std::vector<ScreenArea>& screens);

}  // namespace tolvanex
