// tolvanex-screenshot SETTINGS IMAGE: draws the window as it stands after one run over the
// settings file SETTINGS into the PNG file IMAGE. The run goes through the run button as a
// user's would; the settings file is read and never written. It needs a display (under Wine,
// a virtual desktop, where Wine draws the frame).
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>

// GDI+ takes min and max from the system's macros, which the build leaves out.
using std::max;
using std::min;
#include <gdiplus.h>

#include "app/win32/control_ids.h"
#include "app/win32/main_window.h"
#include "app/win32/message_pump.h"
#include "app/win32/win32_platform.h"
#include "system/win32/wide_text.h"
#include "ui/frm_tolvanex.h"
#include "ui/startup.h"

namespace {

// Lets the window paint what it has to before it is taken.
void Settle(tolvanex::win32::Win32View& view) {
  for (int i = 0; i < 20; ++i) {
    tolvanex::win32::LetMessagesThrough(&view);
    ::Sleep(25);
  }
}

bool SaveWindow(HWND window, const std::wstring& path) {
  RECT area{};
  ::GetWindowRect(window, &area);
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP picture = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, picture);
  // Copied from the screen: what a user sees, whatever order the controls painted in.
  ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  bool saved = false;
  {
    Gdiplus::Bitmap image(picture, nullptr);
    // The PNG encoder of GDI+.
    const CLSID png = {
        0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    saved = image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  ::DeleteObject(picture);
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: tolvanex-screenshot SETTINGS IMAGE\n", stderr);
    return 2;
  }
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);

  tolvanex::win32::Win32Platform desktop;
  tolvanex::Frm_Tolvanex form(desktop);
  tolvanex::win32::MainWindow window(form, desktop);
  tolvanex::LoadWindow(form, argv[1]);
  window.ShowModel();
  // At the size a user's window opens at the first time.
  window.Open();
  Settle(window);
  ::SendMessageW(window.Window(), WM_COMMAND, MAKEWPARAM(IDC_CMD_EXPORT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(window.Window(), IDC_CMD_EXPORT)));
  // The run goes on a thread of its own; the window's thread takes its end from a message.
  while (form.Run.Running) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    tolvanex::win32::LetMessagesThrough(&window);
  }
  Settle(window);

  if (!SaveWindow(window.Window(), tolvanex::win32::WideFromAnsi(argv[2]))) {
    std::fprintf(stderr, "tolvanex-screenshot: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
