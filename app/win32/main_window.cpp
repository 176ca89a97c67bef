#include "app/win32/main_window.h"

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "app/win32/centred_text_box.h"
#include "app/win32/common_dialogs.h"
#include "app/win32/control_ids.h"
#include "app/win32/control_text.h"
#include "app/win32/menus.h"
#include "app/win32/tool_tips.h"
#include "app/win32/win32_platform.h"
#include "app/win32/window_layout.h"
#include "app/win32/window_placing.h"
#include "base/errors.h"
#include "formats/date_pattern.h"
#include "system/win32/wide_text.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::win32 {

namespace {

constexpr UINT_PTR kTickTimer = 1;

// The controls and menu items whose commands are events of the window model, by its names.
struct CommandControl {
  int Id;
  ControlRef Control;
};
constexpr CommandControl kCommandControls[] = {
    {IDC_CMD_GETFILE_0, {"Cmd_GetFile", 0}},
    {IDC_CMD_GETFILE_1, {"Cmd_GetFile", 1}},
    {IDC_CMD_GETFOLDER_0, {"Cmd_GetFolder", 0}},
    {IDC_CMD_GETFOLDER_1, {"Cmd_GetFolder", 1}},
    {IDC_CMD_EDIT_0, {"Cmd_Edit", 0}},
    {IDC_CMD_EDIT_1, {"Cmd_Edit", 1}},
    {IDC_CMD_EDIT_2, {"Cmd_Edit", 2}},
    {IDC_CMD_EDIT_3, {"Cmd_Edit", 3}},
    {IDC_CMD_EXPORT, {"Cmd_Export", -1}},
    {IDC_CMD_CLOSE, {"Cmd_Close", -1}},
    {IDC_LST_FILES, {"Lst_Files", -1}},
    {IDM_FILE_0, {"mnu_File", 0}},
    {IDM_FILE_1, {"mnu_File", 1}},
    {IDM_HELP_0, {"mnu_Help", 0}},
};

bool IsCheckBox(int id) {
  return id == IDC_CHK_OUTPUTPOSTFILE || id == IDC_CHK_SORTLOOKUP || id == IDC_CHK_OUTPUTTEXTFILES;
}

// A click on a check box ticks it, or clears a ticked one; the greyed state is the program's
// to set, and a click on a greyed box ticks it.
void ToggleCheckBox(HWND box) {
  LRESULT state = ::SendMessageW(box, BM_GETCHECK, 0, 0);
  ::SendMessageW(box, BM_SETCHECK, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
}

}  // namespace

MainWindow::MainWindow(Frm_Tolvanex& form, Win32Platform& desktop)
    : form_(form), desktop_(desktop), controller_(form, *this) {
  window_ = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                 Procedure, reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr) throw Failure("The window could not be made");
  desktop_.Attach(this);
  ShowModel();
  LayOut();
}

MainWindow::~MainWindow() {
  // The watch ends before the window goes: it posts to the window.
  stopRequests_.reset();
  desktop_.Attach(nullptr);
  if (window_ != nullptr) ::DestroyWindow(window_);
  if (shortcuts_ != nullptr) ::DestroyAcceleratorTable(shortcuts_);
  if (bigIcon_ != nullptr) ::DestroyIcon(bigIcon_);
  if (smallIcon_ != nullptr) ::DestroyIcon(smallIcon_);
}

INT_PTR CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<MainWindow*>(lParam);
    self->window_ = window;
    self->Initialise();
    return TRUE;
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->OnMessage(message, wParam, lParam);
}

void MainWindow::Initialise() {
  binding_ = std::make_unique<ControlBinding>(window_);
  ::SetMenu(window_, BuildMenuBar(form_));
  shortcuts_ = BuildShortcuts(form_);
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  bigIcon_ = static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(IDI_TOLVANEX), IMAGE_ICON,
                                             ::GetSystemMetrics(SM_CXICON),
                                             ::GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(IDI_TOLVANEX), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), 0));
  ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SetFilesRowHeight();
  for (int box : {IDC_TXT_FILE_0, IDC_TXT_FILE_1, IDC_TXT_EXTENSION}) {
    CentreTextVertically(::GetDlgItem(window_, box));
  }
  COMBOBOXINFO dateFormat{};
  dateFormat.cbSize = sizeof dateFormat;
  if (::GetComboBoxInfo(::GetDlgItem(window_, IDC_CMB_DATEFORMAT), &dateFormat)) {
    CentreTextVertically(dateFormat.hwndItem);
  }
  // A path shown in a field starts where the text of a text box does.
  auto margins = ::SendDlgItemMessageW(window_, IDC_TXT_FILE_0, EM_GETMARGINS, 0, 0);
  for (int field : {IDC_LBL_FOLDER_0, IDC_LBL_FOLDER_1, IDC_LBL_FILE_0}) {
    CentreTextVertically(::GetDlgItem(window_, field), LOWORD(margins) + 1);
  }
  ::DragAcceptFiles(window_, TRUE);
  // A tip's text is asked for as it is shown: the path or the status as it stands then, or what
  // the button chooses or opens.
  AddToolTips(window_,
              {IDC_CMD_GETFILE_0, IDC_CMD_GETFILE_1, IDC_CMD_GETFOLDER_0, IDC_CMD_GETFOLDER_1,
               IDC_CMD_EDIT_0, IDC_CMD_EDIT_1, IDC_CMD_EDIT_2, IDC_CMD_EDIT_3, IDC_LBL_FOLDER_0,
               IDC_LBL_FOLDER_1, IDC_LBL_FILE_0, IDC_LBL_STATUS});
}

void MainWindow::FillToolTip(NMTTDISPINFOW& tip) {
  auto control = reinterpret_cast<HWND>(tip.hdr.idFrom);
  const std::pair<int, const Button*> buttons[] = {{IDC_CMD_GETFILE_0, &form_.Cmd_GetFile[0]},
                                                   {IDC_CMD_GETFILE_1, &form_.Cmd_GetFile[1]},
                                                   {IDC_CMD_GETFOLDER_0, &form_.Cmd_GetFolder[0]},
                                                   {IDC_CMD_GETFOLDER_1, &form_.Cmd_GetFolder[1]},
                                                   {IDC_CMD_EDIT_0, &form_.Cmd_Edit[0]},
                                                   {IDC_CMD_EDIT_1, &form_.Cmd_Edit[1]},
                                                   {IDC_CMD_EDIT_2, &form_.Cmd_Edit[2]},
                                                   {IDC_CMD_EDIT_3, &form_.Cmd_Edit[3]}};
  // A field shows its own text whole.
  tipText_ = ControlText(control);
  int id = ::GetDlgCtrlID(control);
  for (auto [buttonId, button] : buttons) {
    if (id == buttonId) tipText_ = WideFromAnsi(button->ToolTip);
  }
  tip.lpszText = tipText_.data();
}

void MainWindow::SetFilesRowHeight() {
  // Rows of the files list as high as a line of the window's font.
  RECT row{0, 0, 0, 10};
  ::MapDialogRect(window_, &row);
  ::SendDlgItemMessageW(window_, IDC_LST_FILES, LB_SETITEMHEIGHT, 0, row.bottom);
}

void MainWindow::Open() {
  ShowPlaced(window_, form_.Placement);
}

void MainWindow::CloseOnStopRequests() {
  // The requests are watched from the program's start; one that came already closes the window
  // as soon as the main loop hands out messages.
  HWND window = window_;
  stopRequests_ =
      std::make_unique<StopRequestWatcher>([window] { ::PostMessageW(window, WM_CLOSE, 0, 0); });
}

void MainWindow::Load(const std::string& iniFile) {
  controller_.Load(iniFile);
}

void MainWindow::OnCommand(int id, int code) {
  if (IsCheckBox(id)) {
    if (code == BN_CLICKED && !controller_.Running()) ToggleCheckBox(::GetDlgItem(window_, id));
    return;
  }
  if (id == IDC_CMB_DATEFORMAT) {
    if (code == CBN_EDITCHANGE) KeepLineBreaksOutOfDateFormat();
    return;
  }
  for (const CommandControl& command : kCommandControls) {
    if (command.Id != id) continue;
    if (id == IDC_LST_FILES) {
      if (code == LBN_SELCHANGE) controller_.Handle(command.Control);
      if (code == LBN_DBLCLK) controller_.Handle(command.Control, ControlEvent::DoubleClick);
    } else if (code == BN_CLICKED || code == 1) {
      // A button's click or a menu item (both 0), or a shortcut key (1).
      controller_.Handle(command.Control);
    }
    return;
  }
  // Enter and Escape, which a dialog turns into OK and Cancel, do nothing here.
}

void MainWindow::KeepLineBreaksOutOfDateFormat() {
  // A paste can bring a line break into the box, which would split every line of the text
  // files: it is taken out again at once, the cursor staying after what it followed.
  HWND box = ::GetDlgItem(window_, IDC_CMB_DATEFORMAT);
  std::wstring typed = ControlText(box);
  if (DatePatternAllowed(AnsiFromWide(typed))) return;
  std::size_t cursor = HIWORD(::SendMessageW(box, CB_GETEDITSEL, 0, 0));
  std::wstring kept;
  std::size_t keptBeforeCursor = 0;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == L'\r' || typed[i] == L'\n' || typed[i] == L'\0') continue;
    kept += typed[i];
    if (i < cursor) ++keptBeforeCursor;
  }
  ::SetWindowTextW(box, kept.c_str());
  auto at = static_cast<WORD>(keptBeforeCursor);
  ::SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(at, at));
}

void MainWindow::OnDrop(HDROP drop) {
  std::vector<std::string> paths;
  UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  POINT at{};
  ::DragQueryPoint(drop, &at);
  try {
    for (UINT i = 0; i < count; ++i) {
      UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
      std::wstring path(length + 1, L'\0');
      path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
      paths.push_back(ChosenPath(path));
    }
  } catch (...) {
    paths.clear();  // a name the program could not use is no file to take
  }
  ::DragFinish(drop);
  if (!controller_.CanDrop(paths)) return;
  // A file dropped onto the lookup file box names the lookup file; anywhere else, the data file.
  RECT lookupBox{};
  HWND box = ::GetDlgItem(window_, IDC_TXT_FILE_1);
  ::GetWindowRect(box, &lookupBox);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&lookupBox), 2);
  int index = ::PtInRect(&lookupBox, at) ? 1 : 0;
  controller_.Drop(index, paths.front());
}

void MainWindow::LeaveSight() {
  if (!::IsWindowVisible(window_)) return;
  if (auto placement = PlacementOf(window_)) form_.Placement = placement;
  ::ShowWindow(window_, SW_HIDE);
}

void MainWindow::Post(std::function<void()> task) {
  {
    std::lock_guard lock(tasksMutex_);
    tasks_.push_back(std::move(task));
  }
  ::PostMessageW(window_, kTaskPosted, 0, 0);
}

void MainWindow::RunPostedTasks() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(tasksMutex_);
      if (tasks_.empty()) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

void MainWindow::StartTicks(std::chrono::milliseconds interval) {
  ::SetTimer(window_, kTickTimer, static_cast<UINT>(interval.count()), nullptr);
}

void MainWindow::StopTicks() {
  ::KillTimer(window_, kTickTimer);
}

std::chrono::milliseconds MainWindow::DoubleClickInterval() const {
  return std::chrono::milliseconds(::GetDoubleClickTime());
}

void MainWindow::LayOut() {
  frames_ = LayOutControls(window_);
}

void MainWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC context = ::BeginPaint(window_, &paint);
  PaintGroupFrames(window_, context, frames_);
  ::EndPaint(window_, &paint);
}

void MainWindow::KeepSmallestSize(MINMAXINFO& limits) const {
  SIZE smallest = SmallestClientSize(window_);
  RECT outer = OuterFor(window_, smallest.cx, smallest.cy);
  limits.ptMinTrackSize.x = outer.right - outer.left;
  limits.ptMinTrackSize.y = outer.bottom - outer.top;
}

INT_PTR MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto answer = [this](LRESULT result) {
    ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
    return TRUE;
  };
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case kProcessAndClose:
      controller_.ProcessAndClose();
      return TRUE;
    case kTaskPosted:
      RunPostedTasks();
      return TRUE;
    case WM_TIMER:
      if (wParam == kTickTimer) controller_.Tick();
      return TRUE;
    case WM_CLOSE:
      controller_.RequestClose();
      return TRUE;
    case WM_SIZE:
      if (binding_ != nullptr) LayOut();
      return TRUE;
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_GETMINMAXINFO:
      KeepSmallestSize(*reinterpret_cast<MINMAXINFO*>(lParam));
      return TRUE;
    case WM_DPICHANGED: {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      SetFilesRowHeight();
      LayOut();
      return TRUE;
    }
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (header.code != TTN_GETDISPINFOW) return FALSE;
      FillToolTip(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
      return TRUE;
    }
    case WM_SETCURSOR: {
      HCURSOR pointer = desktop_.WindowPointer();
      if (pointer == nullptr) return FALSE;
      ::SetCursor(pointer);
      return answer(TRUE);
    }
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          binding_->StaticColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    case WM_DRAWITEM: {
      const auto& row = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (row.CtlID != IDC_LST_FILES) return FALSE;
      binding_->DrawFilesRow(form_, row);
      return TRUE;
    }
    case WM_DROPFILES:
      OnDrop(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_QUERYENDSESSION:
      return answer(TRUE);
    case WM_ENDSESSION:
      // The session ends: the settings are saved as for Exit; a run going ends after its line.
      if (wParam != FALSE) controller_.RequestClose();
      return answer(0);
    default:
      return FALSE;
  }
}

HWND MainWindow::Owner() const {
  return ::IsWindowVisible(window_) ? window_ : nullptr;
}

void MainWindow::ShowModel(bool withFilesList) {
  if (binding_ != nullptr) binding_->Push(form_, withFilesList);
}

bool MainWindow::TakeMessage(MSG& message) {
  if (shortcuts_ != nullptr && ::TranslateAcceleratorW(window_, shortcuts_, &message)) return true;
  return ::IsDialogMessageW(window_, &message) != FALSE;
}

}  // namespace tolvanex::win32
