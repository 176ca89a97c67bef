// Where the window stands on the screens, kept in the settings file as its outer position and
// the size of its inside, and shown there again.
#pragma once

#include <windows.h>

#include <optional>

#include "model/window_placement.h"

namespace tolvanex::win32 {

// The outer size of the window for an inside of the given size.
RECT OuterFor(HWND window, int width, int height);

// Shows the window for the first time: at the kept place, moved onto the screens as they are
// now, or where the window stands (in the middle of the screen) when none is kept.
void ShowPlaced(HWND window, const std::optional<WindowPlacement>& kept);

// The window's normal place and whether it is maximized; none when the system cannot say.
std::optional<WindowPlacement> PlacementOf(HWND window);

}  // namespace tolvanex::win32
