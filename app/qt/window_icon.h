// The program's icon, drawn from the same picture as the desktop entry's.
#pragma once

#include <QIcon>

namespace tolvanex::qt {

// The icon at the sizes title bars, task bars and switchers ask for.
QIcon WindowIcon();

}  // namespace tolvanex::qt
