#include "app/win32/control_binding.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/win32/control_ids.h"
#include "app/win32/control_refs.h"
#include "app/win32/control_text.h"
#include "system/win32/wide_text.h"
#include "ui/control_states.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::win32 {

namespace {

constexpr int kProgressSteps = 1000;

// Setting a control to the text it already shows is skipped: a text box would lose its cursor
// position, and every change costs a repaint.
bool SetText(HWND control, const std::string& text) {
  std::wstring shown = WideFromAnsi(text);
  if (ControlText(control) == shown) return false;
  ::SetWindowTextW(control, shown.c_str());
  return true;
}

void SetEnabled(HWND control, bool enabled) {
  if ((::IsWindowEnabled(control) != FALSE) != enabled) ::EnableWindow(control, enabled);
}

// A check box's states are numbered as the model numbers them: BST_UNCHECKED 0, BST_CHECKED 1,
// BST_INDETERMINATE 2 (greyed).
void SetCheck(HWND box, int value) {
  if (::SendMessageW(box, BM_GETCHECK, 0, 0) != value) ::SendMessageW(box, BM_SETCHECK, value, 0);
}

int CheckValue(HWND box) {
  return static_cast<int>(::SendMessageW(box, BM_GETCHECK, 0, 0));
}

COLORREF ColourOf(const Rgb& colour) {
  if (colour.IsButtonFace) return ::GetSysColor(COLOR_BTNFACE);
  return RGB(colour.Red, colour.Green, colour.Blue);
}

}  // namespace

ControlBinding::ControlBinding(HWND window) : window_(window) {
  ::SendMessageW(Control(IDC_RUN_PROGRESS), PBM_SETRANGE32, 0, kProgressSteps);
}

ControlBinding::~ControlBinding() {
  if (statusBrush_ != nullptr) ::DeleteObject(statusBrush_);
}

void ControlBinding::Pull(Frm_Tolvanex& form) {
  for (const ControlInfo& control : ControlTable()) {
    ControlRef ref{control.Name, control.Index};
    if (std::string* text = EditedText(form, ref)) {
      *text = AnsiFromWide(ControlText(Control(IdOf(ref))));
    } else if (int* state = CheckBoxState(form, ref)) {
      *state = CheckValue(Control(IdOf(ref)));
    }
  }

  // The list's rows are the model's rows only while the list is current.
  if (filesRevision_ != form.Lst_Files.Revision()) return;
  auto selected =
      static_cast<std::int64_t>(::SendMessageW(Control(IDC_LST_FILES), LB_GETCURSEL, 0, 0));
  if (selected < 0) selected = -1;
  if (selected == form.Lst_Files.ListIndex()) return;
  form.Lst_Files.SetListIndex(selected);
  filesRevision_ = form.Lst_Files.Revision();
}

void ControlBinding::Push(const Frm_Tolvanex& form, bool withFilesList) {
  SetText(window_, form.Caption);
  for (const ControlInfo& control : ControlTable()) {
    ControlRef ref{control.Name, control.Index};
    ControlShown shown = ShownOf(form, ref);
    HWND widget = Control(IdOf(ref));
    // The status line's text goes with its colour, below.
    bool ownText = control.Kind == ControlKind::ComboBox || control.Name == "Lbl_Status";
    if (shown.Text != nullptr && !ownText) SetText(widget, *shown.Text);
    if (control.Kind == ControlKind::CheckBox) SetCheck(widget, shown.CheckState);
    SetEnabled(widget, shown.Enabled);
  }

  HWND formats = Control(IDC_CMB_DATEFORMAT);
  if (formatItems_ != form.Cmb_Dateformat.Items) {
    formatItems_ = form.Cmb_Dateformat.Items;
    ::SendMessageW(formats, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : form.Cmb_Dateformat.Items) {
      ::SendMessageW(formats, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromAnsi(item).c_str()));
    }
  }
  // The typed format is the model's text, whether or not it is one of the items.
  SetText(formats, form.Cmb_Dateformat.Text);

  if (withFilesList) PushFilesList(form);
  PushStatus(form.Lbl_Status);

  HWND progress = Control(IDC_RUN_PROGRESS);
  const WindowRun& run = form.Run;
  if (run.Running) {
    int step = ProgressPerMille(run.Progress);
    if (::SendMessageW(progress, PBM_GETPOS, 0, 0) != step)
      ::SendMessageW(progress, PBM_SETPOS, step, 0);
  }
  if ((::IsWindowVisible(progress) != FALSE) != run.Running) {
    ::ShowWindow(progress, run.Running ? SW_SHOWNA : SW_HIDE);
  }
  PushEnabled(form);
}

void ControlBinding::PushEnabled(const Frm_Tolvanex& form) {
  // The keyboard stays with the window: from a control that a run has just disabled it moves to
  // the run button.
  HWND focus = ::GetFocus();
  while (focus != nullptr && ::GetParent(focus) != window_) focus = ::GetParent(focus);
  if (focus != nullptr && !::IsWindowEnabled(focus) && ::IsWindowEnabled(Control(IDC_CMD_EXPORT))) {
    ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_CMD_EXPORT)), TRUE);
  }

  HMENU bar = ::GetMenu(window_);
  if (bar == nullptr) return;
  bool idle = EnabledByRun(form, {"Menus", -1});
  bool changed = false;
  for (int position = 0; position < ::GetMenuItemCount(bar); ++position) {
    UINT state = ::GetMenuState(bar, static_cast<UINT>(position), MF_BYPOSITION);
    bool enabled = (state & (MF_GRAYED | MF_DISABLED)) == 0;
    if (enabled == idle) continue;
    ::EnableMenuItem(bar, static_cast<UINT>(position),
                     MF_BYPOSITION | (idle ? MF_ENABLED : MF_GRAYED));
    changed = true;
  }
  if (changed) ::DrawMenuBar(window_);
}

void ControlBinding::PushFilesList(const Frm_Tolvanex& form) {
  const SortedListBox& files = form.Lst_Files;
  HWND list = Control(IDC_LST_FILES);
  if (filesRevision_ != files.Revision()) {
    auto count = static_cast<WPARAM>(files.ListCount());
    // The rows may have changed with the count unchanged: all are drawn anew.
    ::SendMessageW(list, LB_SETCOUNT, count, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    filesRevision_ = files.Revision();
  }
  auto shown = static_cast<std::int64_t>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
  if (shown < 0) shown = -1;
  if (shown != files.ListIndex()) {
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(files.ListIndex()), 0);
  }
}

void ControlBinding::PushStatus(const BorderedLabel& status) {
  HWND line = Control(IDC_LBL_STATUS);
  bool changed = SetText(line, status.Caption);
  if (!(status.BackColor == statusColour_)) {
    statusColour_ = status.BackColor;
    if (statusBrush_ != nullptr) ::DeleteObject(statusBrush_);
    statusBrush_ =
        statusColour_.IsButtonFace ? nullptr : ::CreateSolidBrush(ColourOf(statusColour_));
    ::InvalidateRect(line, nullptr, TRUE);
    changed = true;
  }
  if (changed) ::UpdateWindow(line);
}

HBRUSH ControlBinding::StaticColours(HWND control, HDC context) {
  int id = ::GetDlgCtrlID(control);
  if (id == IDC_LBL_STATUS) {
    ::SetBkColor(context, ColourOf(statusColour_));
    ::SetTextColor(context, ::GetSysColor(COLOR_WINDOWTEXT));
    return statusBrush_ != nullptr ? statusBrush_ : ::GetSysColorBrush(COLOR_BTNFACE);
  }
  if (id == IDC_LBL_FOLDER_0 || id == IDC_LBL_FOLDER_1 || id == IDC_LBL_FILE_0) {
    // A path looks like a text box that cannot be edited.
    ::SetBkColor(context, ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(context,
                   ::GetSysColor(::IsWindowEnabled(control) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return ::GetSysColorBrush(COLOR_WINDOW);
  }
  return nullptr;
}

void ControlBinding::DrawFilesRow(const Frm_Tolvanex& form, const DRAWITEMSTRUCT& row) const {
  HDC context = row.hDC;
  bool selected = (row.itemState & ODS_SELECTED) != 0;
  int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
  ::FillRect(context, &row.rcItem, ::GetSysColorBrush(background));
  auto index = static_cast<std::int64_t>(row.itemID);
  if (row.itemID != static_cast<UINT>(-1) && index < form.Lst_Files.ListCount()) {
    std::wstring name = WideFromAnsi(form.Lst_Files.List(index));
    ::SetBkMode(context, TRANSPARENT);
    bool enabled = ::IsWindowEnabled(row.hwndItem) != FALSE;
    ::SetTextColor(context, ::GetSysColor(!enabled   ? COLOR_GRAYTEXT
                                          : selected ? COLOR_HIGHLIGHTTEXT
                                                     : COLOR_WINDOWTEXT));
    RECT text = row.rcItem;
    text.left += 2;
    ::DrawTextW(context, name.c_str(), static_cast<int>(name.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if ((row.itemState & ODS_FOCUS) != 0) ::DrawFocusRect(context, &row.rcItem);
}

}  // namespace tolvanex::win32
