// The values of the window model in the window's controls and back: the user's values are read
// before each routine, the model's shown after it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::win32 {

class ControlBinding {
 public:
  explicit ControlBinding(HWND window);
  ControlBinding(const ControlBinding&) = delete;
  ControlBinding& operator=(const ControlBinding&) = delete;
  ~ControlBinding();

  // The user's texts, ticks and selection into the model.
  void Pull(Frm_Tolvanex& form);
  // The model's values into the controls. The files list, which a run makes long, only when
  // asked for.
  void Push(const Frm_Tolvanex& form, bool withFilesList);

  // The colours of a static control (WM_CTLCOLORSTATIC): the status line's own, the window
  // colour under a path; none for the rest, which keep the dialog's.
  HBRUSH StaticColours(HWND control, HDC context);
  // One row of the files list (WM_DRAWITEM), from the model's list.
  void DrawFilesRow(const Frm_Tolvanex& form, const DRAWITEMSTRUCT& row) const;

 private:
  HWND Control(int id) const { return ::GetDlgItem(window_, id); }
  void PushFilesList(const Frm_Tolvanex& form);
  void PushEnabled(const Frm_Tolvanex& form);
  void PushStatus(const BorderedLabel& status);

  HWND window_;
  // The list's revision that the files list shows; another means the rows are not current.
  std::uint64_t filesRevision_ = std::numeric_limits<std::uint64_t>::max();
  std::vector<std::string> formatItems_;  // the date formats the combo box offers
  Rgb statusColour_ = kButtonFace;
  HBRUSH statusBrush_ = nullptr;  // for a colour of the status line's own
};

}  // namespace tolvanex::win32
