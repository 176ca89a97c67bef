// Where the window's controls stand, worked out from the size of its inside in dialog units, so
// that the layout follows the window's size, its font and the screen's resolution.
#pragma once

#include <windows.h>

#include <array>

namespace tolvanex::win32 {

// A group's frame, drawn by the window: its line runs at the middle of the heading check box
// and stops short of it on both sides, as the system's own group boxes do around their text.
struct GroupFrame {
  RECT Frame{};     // the outer edges of the frame's line
  int Heading = 0;  // the check box that heads the group
};

// Places every control for the window's present size: the file row at the top, the post file
// group under it, the text file group taking the height that is left, and the status line with
// the run buttons at the bottom. Paths and the files list take the width that is left. Heights
// follow the window's font: a row is as high as the font's line with room above and below.
// Returns the frames of the two groups.
std::array<GroupFrame, 2> LayOutControls(HWND window);

// Draws the frames around their groups, the line broken where the heading stands.
void PaintGroupFrames(HWND window, HDC context, const std::array<GroupFrame, 2>& frames);

// The smallest inside in which every control keeps a usable size.
SIZE SmallestClientSize(HWND window);

}  // namespace tolvanex::win32
