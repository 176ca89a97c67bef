// Text boxes whose line of text stands in the middle of the box. A one-line edit control puts
// its text a pixel below its top edge whatever its height, so that in a box as high as the row
// of buttons beside it the text sits against the top edge; here the room above and below the
// line becomes part of the box's border, painted in the box's colour.
#pragma once

#include <windows.h>

namespace tolvanex::win32 {

// Makes a one-line text box, or a static control that shows a path, centre its text from now on
// at every size and font it is given, with the given room before and after the text (a static
// control has none of its own; an edit control keeps its margins besides).
void CentreTextVertically(HWND box, int sideRoom = 0);

}  // namespace tolvanex::win32
