// Where the window's controls stand, worked out from the size of its inside in dialog units, so
// that the layout follows the window's size, its font and the screen's resolution.
#pragma once

#include <windows.h>

namespace tolvanex::win32 {

// Places every control for the window's present size: the file row at the top, the post file
// group under it, the text file group taking the height that is left, and the status line with
// the run buttons at the bottom. Paths and the files list take the width that is left.
void LayOutControls(HWND window);

// The smallest inside in which every control keeps a usable size.
SIZE SmallestClientSize(HWND window);

}  // namespace tolvanex::win32
