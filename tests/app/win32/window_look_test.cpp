// The window as a user sees it on the screen, at 96, 120, 144 and 192 dots per inch: every control
// that shows stands free of the others with its caption painted, the group headings too at
// start-up, after a full repaint and after a move, and every text box holds its line in the middle.
// Captions read through messages would pass while the screen shows nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/control_ids.h"
#include "system/win32/wide_text.h"
#include "tests/app/win32/example_window.h"
#include "tests/app/win32/screen_capture.h"
#include "tests/app/win32/window_driver.h"

namespace tolvanex::testing {
namespace {

// The resolution that programs started from now on take (the prefix is the tests' own).
class Resolution {
 public:
  explicit Resolution(DWORD dpi) { Set(dpi); }
  Resolution(const Resolution&) = delete;
  Resolution& operator=(const Resolution&) = delete;
  ~Resolution() { Set(96); }

 private:
  static void Set(DWORD dpi) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                      sizeof dpi);
  }
};

RECT ScreenRect(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  return rect;
}

std::vector<HWND> ShownControls(HWND window) {
  std::vector<HWND> controls;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child)) controls.push_back(child);
  }
  return controls;
}

bool IsCheckBox(HWND control) {
  wchar_t kind[16] = {};
  ::GetClassNameW(control, kind, 16);
  LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return ::lstrcmpiW(kind, L"Button") == 0 && (type == BS_3STATE || type == BS_AUTOCHECKBOX ||
                                               type == BS_CHECKBOX || type == BS_AUTO3STATE);
}

// The height of a line of the window's font (8 points, the dialog font) at the resolution.
int LineHeight(int dpi) {
  HFONT font = ::CreateFontW(-::MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Shell Dlg 2");
  HDC context = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(context, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(context, &metrics);
  ::SelectObject(context, old);
  ::DeleteDC(context);
  ::DeleteObject(font);
  return metrics.tmHeight;
}

class WindowLook : public WindowTest, public ::testing::WithParamInterface<int> {
 protected:
  int Dpi() const { return GetParam(); }
  int Scaled(int pixels) const { return ::MulDiv(pixels, Dpi(), 96); }

  // Waits until the window has painted what it shows now, then takes the screen.
  ScreenCapture Look(HWND window) const {
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    RECT area{};
    ::GetWindowRect(window, &area);
    return ScreenCapture(area);
  }

  // Where a control's caption is painted: inside its border, right of a check box's box.
  RECT CaptionArea(HWND control) const {
    RECT area = ScreenRect(control);
    ::InflateRect(&area, -Scaled(3) - 1, -Scaled(2));
    if (IsCheckBox(control)) area.left += Scaled(14);
    return area;
  }

  void ExpectFreeAndCaptioned(HWND window, const ScreenCapture& screen, const char* when) const {
    std::vector<HWND> controls = ShownControls(window);
    for (HWND control : controls) {
      int id = ::GetDlgCtrlID(control);
      RECT rect = ScreenRect(control);
      for (HWND other : controls) {
        RECT overlap{};
        RECT otherRect = ScreenRect(other);
        if (other != control && ::IntersectRect(&overlap, &rect, &otherRect)) {
          ADD_FAILURE() << when << ": control " << id << " lies under or over control "
                        << ::GetDlgCtrlID(other);
        }
      }
      std::string caption = WindowText(control);
      int inked = 0;
      for (char c : caption) inked += c != ' ' && c != '.' && c != '&' ? 1 : 0;
      if (caption.empty()) continue;
      EXPECT_GE(screen.DarkPixels(CaptionArea(control)), inked + 1)
          << when << ": the caption \"" << caption << "\" of control " << id
          << " is not painted on the screen";
    }
  }

  // The text's line lies in the middle of the box: as much room above it as below, within a
  // pixel and the rounding of an odd height, and every dark pixel inside the box within it.
  void ExpectLineInTheMiddle(const ScreenCapture& screen, HWND box, int lineTop,
                             const char* what) const {
    RECT outer = ScreenRect(box);
    int lineBottom = lineTop + LineHeight(Dpi());
    int above = lineTop - outer.top;
    int below = outer.bottom - lineBottom;
    EXPECT_LE(std::abs(above - below), 2)
        << what << ": " << above << " pixels above the line of text, " << below << " below";
    RECT inside = outer;
    ::InflateRect(&inside, -Scaled(3), -Scaled(3));
    inside.right -= Scaled(20);  // the drop-down button of a combo box
    RECT ink = screen.DarkBounds(inside);
    ASSERT_LE(ink.top, ink.bottom) << what << ": no text on the screen";
    EXPECT_GE(ink.top, lineTop - 1) << what;
    EXPECT_LE(ink.bottom, lineBottom) << what;
  }
};

TEST_P(WindowLook, EveryControlStandsFreeWithItsCaptionPainted) {
  Resolution resolution(static_cast<DWORD>(Dpi()));
  WindowUnderTest window(program_, folder_.Path());
  ScreenCapture opened = Look(window.Main());
  if (const char* keep = std::getenv("TOLVANEX_KEEP_CAPTURE")) {
    opened.Save(std::string(keep) + "-" + std::to_string(Dpi()) + ".bmp");
  }
  ExpectFreeAndCaptioned(window.Main(), opened, "at start-up");

  // A full repaint of the window and every control, as after another window covered it.
  ::RedrawWindow(window.Main(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ExpectFreeAndCaptioned(window.Main(), Look(window.Main()), "after a repaint");

  RECT at = ScreenRect(window.Main());
  ::SetWindowPos(window.Main(), nullptr, at.left + 37, at.top + 23, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return ScreenRect(window.Main()).left == at.left + 37; }));
  ExpectFreeAndCaptioned(window.Main(), Look(window.Main()), "after a move");
}

TEST_P(WindowLook, EveryTextBoxHoldsItsLineInTheMiddle) {
  Resolution resolution(static_cast<DWORD>(Dpi()));
  WindowUnderTest window(program_, folder_.Path());
  ScreenCapture screen = Look(window.Main());
  auto lineTopOf = [](HWND edit) {
    POINT first{0, HIWORD(::SendMessageW(edit, EM_POSFROMCHAR, 0, 0))};
    ::ClientToScreen(edit, &first);
    return static_cast<int>(first.y);
  };
  for (int id : {IDC_TXT_FILE_0, IDC_TXT_FILE_1, IDC_TXT_EXTENSION}) {
    ExpectLineInTheMiddle(screen, window.Control(id), lineTopOf(window.Control(id)),
                          ("text box " + std::to_string(id)).c_str());
  }
  HWND dateFormat = window.Control(IDC_CMB_DATEFORMAT);
  ExpectLineInTheMiddle(screen, dateFormat,
                        lineTopOf(::FindWindowExW(dateFormat, nullptr, L"Edit", nullptr)),
                        "the date format");
  // A path in a field is drawn in the middle of what the field leaves inside its border.
  for (int id : {IDC_LBL_FOLDER_0, IDC_LBL_FOLDER_1}) {
    HWND field = window.Control(id);
    RECT inside{};
    ::GetClientRect(field, &inside);
    ::MapWindowPoints(field, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    int lineTop = inside.top + (inside.bottom - inside.top - LineHeight(Dpi())) / 2;
    ExpectLineInTheMiddle(screen, field, lineTop, ("path field " + std::to_string(id)).c_str());
  }
}

INSTANTIATE_TEST_SUITE_P(AtEachResolution, WindowLook, ::testing::Values(96, 120, 144, 192),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param) + "dpi";
                         });

}  // namespace
}  // namespace tolvanex::testing
