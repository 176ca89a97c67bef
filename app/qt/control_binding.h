// Copies between the window model and its widgets. Before a routine runs, the values the user
// can change go from the widgets into the model; after it, the model's values go to the widgets.
#pragma once

#include <Qt>

#include "app/qt/control_widgets.h"
#include "ui/controls.h"

class QColor;

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::qt {

// Check box states: the model's 0 unticked, 1 ticked, 2 greyed; Qt numbers ticked and greyed the
// other way round.
Qt::CheckState ToQtCheckState(int value);
int FromQtCheckState(Qt::CheckState state);

// A colour of the model; the button face is the one of the application's palette.
QColor ToQtColor(const Rgb& colour);

// The values the user edits: the texts of the file fields, the extension and the date format,
// the check boxes and the selection of the files list.
void PullFromWidgets(const ControlWidgets& widgets, Frm_Tolvanex& form);
// Everything the model holds: captions, texts, states, enabled states, list rows and selection,
// the status line and, during a run, its progress. While a run goes only the run button takes
// input.
// The files list is left as it is when withFilesList is false: refilling a view of a long list
// is the costly part.
void PushToWidgets(const Frm_Tolvanex& form, ControlWidgets& widgets, bool withFilesList = true);

}  // namespace tolvanex::qt
