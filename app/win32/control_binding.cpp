#include "app/win32/control_binding.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/win32/control_ids.h"
#include "app/win32/control_text.h"
#include "system/win32/wide_text.h"
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

void SetCheck(HWND box, const CheckBox& model) {
  SetText(box, model.Caption);
  WPARAM state = model.Value == 0   ? BST_UNCHECKED
                 : model.Value == 2 ? BST_INDETERMINATE
                                    : BST_CHECKED;
  if (static_cast<WPARAM>(::SendMessageW(box, BM_GETCHECK, 0, 0)) != state) {
    ::SendMessageW(box, BM_SETCHECK, state, 0);
  }
}

int CheckValue(HWND box) {
  switch (::SendMessageW(box, BM_GETCHECK, 0, 0)) {
    case BST_UNCHECKED:
      return 0;
    case BST_INDETERMINATE:
      return 2;
    default:
      return 1;
  }
}

COLORREF ColourOf(const Rgb& colour) {
  if (colour.IsButtonFace) return ::GetSysColor(COLOR_BTNFACE);
  return RGB(colour.Red, colour.Green, colour.Blue);
}

// The controls that a run disables and nothing else does; the buttons, which the model may
// disable too, are set with their own state.
constexpr int kIdleOnly[] = {IDC_LABEL1_1,
                             IDC_TXT_FILE_0,
                             IDC_CHK_OUTPUTPOSTFILE,
                             IDC_LABEL1_0,
                             IDC_LBL_FOLDER_0,
                             IDC_LABEL1_3,
                             IDC_TXT_FILE_1,
                             IDC_CHK_SORTLOOKUP,
                             IDC_LABEL1_5,
                             IDC_LBL_FILE_0,
                             IDC_CHK_OUTPUTTEXTFILES,
                             IDC_LABEL1_2,
                             IDC_LBL_FOLDER_1,
                             IDC_LABEL1_6,
                             IDC_TXT_EXTENSION,
                             IDC_LABEL1_8,
                             IDC_CMB_DATEFORMAT,
                             IDC_LABEL1_4,
                             IDC_LST_FILES};

constexpr int kFileBoxes[] = {IDC_TXT_FILE_0, IDC_TXT_FILE_1};
constexpr int kGetFile[] = {IDC_CMD_GETFILE_0, IDC_CMD_GETFILE_1};
constexpr int kGetFolder[] = {IDC_CMD_GETFOLDER_0, IDC_CMD_GETFOLDER_1};
constexpr int kFolders[] = {IDC_LBL_FOLDER_0, IDC_LBL_FOLDER_1};
constexpr int kEdit[] = {IDC_CMD_EDIT_0, IDC_CMD_EDIT_1, IDC_CMD_EDIT_2, IDC_CMD_EDIT_3};

}  // namespace

ControlBinding::ControlBinding(HWND window) : window_(window) {
  ::SendMessageW(Control(IDC_RUN_PROGRESS), PBM_SETRANGE32, 0, kProgressSteps);
}

ControlBinding::~ControlBinding() {
  if (statusBrush_ != nullptr) ::DeleteObject(statusBrush_);
}

void ControlBinding::Pull(Frm_Tolvanex& form) {
  for (std::size_t i = 0; i < form.Txt_File.size(); ++i) {
    form.Txt_File[i].Text = AnsiFromWide(ControlText(Control(kFileBoxes[i])));
  }
  form.Txt_Extension.Text = AnsiFromWide(ControlText(Control(IDC_TXT_EXTENSION)));
  form.Cmb_Dateformat.Text = AnsiFromWide(ControlText(Control(IDC_CMB_DATEFORMAT)));
  form.Chk_OutputPostFile.Value = CheckValue(Control(IDC_CHK_OUTPUTPOSTFILE));
  form.Chk_SortLookup.Value = CheckValue(Control(IDC_CHK_SORTLOOKUP));
  form.Chk_OutputTextFiles.Value = CheckValue(Control(IDC_CHK_OUTPUTTEXTFILES));

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
  constexpr std::pair<int, int> kCaptions[] = {
      {0, IDC_LABEL1_0}, {1, IDC_LABEL1_1}, {2, IDC_LABEL1_2}, {3, IDC_LABEL1_3},
      {4, IDC_LABEL1_4}, {5, IDC_LABEL1_5}, {6, IDC_LABEL1_6}, {8, IDC_LABEL1_8}};
  for (auto [index, id] : kCaptions) {
    auto found = form.Label1.find(index);
    if (found != form.Label1.end()) SetText(Control(id), found->second.Caption);
  }
  for (std::size_t i = 0; i < 2; ++i) {
    SetText(Control(kFileBoxes[i]), form.Txt_File[i].Text);
    SetText(Control(kGetFile[i]), form.Cmd_GetFile[i].Caption);
    SetText(Control(kFolders[i]), form.Lbl_Folder[i].Caption);
    SetText(Control(kGetFolder[i]), form.Cmd_GetFolder[i].Caption);
  }
  for (std::size_t i = 0; i < 4; ++i) SetText(Control(kEdit[i]), form.Cmd_Edit[i].Caption);
  SetCheck(Control(IDC_CHK_OUTPUTPOSTFILE), form.Chk_OutputPostFile);
  SetCheck(Control(IDC_CHK_SORTLOOKUP), form.Chk_SortLookup);
  SetText(Control(IDC_LBL_FILE_0), form.Lbl_File[0].Caption);
  SetCheck(Control(IDC_CHK_OUTPUTTEXTFILES), form.Chk_OutputTextFiles);
  SetText(Control(IDC_TXT_EXTENSION), form.Txt_Extension.Text);

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
  SetText(Control(IDC_CMD_EXPORT), form.Cmd_Export.Caption);
  SetText(Control(IDC_CMD_CLOSE), form.Cmd_Close.Caption);

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
  // While a run goes only its button takes input: nothing may change the controls it was started
  // with or start a second routine beside it.
  bool idle = !form.Run.Running;
  for (int id : kIdleOnly) SetEnabled(Control(id), idle);
  for (std::size_t i = 0; i < 2; ++i) {
    SetEnabled(Control(kGetFile[i]), idle && form.Cmd_GetFile[i].Enabled);
    SetEnabled(Control(kGetFolder[i]), idle && form.Cmd_GetFolder[i].Enabled);
  }
  for (std::size_t i = 0; i < 4; ++i)
    SetEnabled(Control(kEdit[i]), idle && form.Cmd_Edit[i].Enabled);
  SetEnabled(Control(IDC_CMD_CLOSE), idle && form.Cmd_Close.Enabled);
  SetEnabled(Control(IDC_CMD_EXPORT), form.Cmd_Export.Enabled);
  // The keyboard stays with the window: from a control that a run has just disabled it moves to
  // the run button.
  HWND focus = ::GetFocus();
  while (focus != nullptr && ::GetParent(focus) != window_) focus = ::GetParent(focus);
  if (focus != nullptr && !::IsWindowEnabled(focus) && ::IsWindowEnabled(Control(IDC_CMD_EXPORT))) {
    ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_CMD_EXPORT)), TRUE);
  }

  HMENU bar = ::GetMenu(window_);
  if (bar == nullptr) return;
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
