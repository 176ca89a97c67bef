#include "app/win32/win32_platform.h"

#include "app/win32/common_dialogs.h"
#include "app/win32/main_window.h"
#include "system/regional.h"
#include "system/win32/wide_text.h"

namespace tolvanex::win32 {

Win32Platform::Win32Platform() = default;

Win32Platform::ModalBox::ModalBox(Win32Platform& desktop) : desktop_(desktop) {
  if (desktop_.modalBoxes_++ == 0 && desktop_.pointer_ != kPointerDefault) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  }
}

Win32Platform::ModalBox::~ModalBox() {
  if (--desktop_.modalBoxes_ == 0 && desktop_.pointer_ != kPointerDefault) {
    ::SetCursor(desktop_.WindowPointer());
  }
}

HWND Win32Platform::Owner() const {
  return view_ != nullptr ? view_->Owner() : nullptr;
}

HCURSOR Win32Platform::WindowPointer() const {
  if (pointer_ == kPointerDefault || modalBoxes_ > 0) return nullptr;
  // The codes the program uses: the hourglass during a run; any other shows the arrow.
  return ::LoadCursorW(nullptr, pointer_ == kPointerHourglass ? IDC_WAIT : IDC_ARROW);
}

void Win32Platform::MessageBox(const std::string& text, const std::string& title) {
  ModalBox modal(*this);
  // OK only and no icon; the box's own failure leaves nothing to report it with.
  ::MessageBoxW(Owner(), WideFromAnsi(text).c_str(), WideFromAnsi(title).c_str(), MB_OK);
}

std::string Win32Platform::InputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultAnswer) {
  ModalBox modal(*this);
  return ShowInputBox(Owner(), prompt, title, defaultAnswer);
}

std::optional<std::string> Win32Platform::ShowOpen(const std::vector<FileFilter>& filters,
                                                   const std::string& initialName) {
  ModalBox modal(*this);
  return ShowOpenDialog(Owner(), filters, initialName);
}

std::optional<std::string> Win32Platform::BrowseForFolder(const std::string& prompt,
                                                          const std::string& startFolder) {
  ModalBox modal(*this);
  return PickFolder(Owner(), prompt, startFolder);
}

void Win32Platform::SetMousePointer(int code) {
  if (code == pointer_) return;
  pointer_ = code;
  if (modalBoxes_ > 0) return;
  // At once, not only when the mouse next moves; the window keeps it there from then on.
  HCURSOR pointer = WindowPointer();
  ::SetCursor(pointer != nullptr ? pointer : ::LoadCursorW(nullptr, IDC_ARROW));
}

RegionalSettings Win32Platform::Regional() const {
  return RegionalSettingsFromLocale("");
}

void Win32Platform::CloseWindow() {
  if (view_ != nullptr) view_->CloseWindow();
}

}  // namespace tolvanex::win32
