#include "app/win32/window_layout.h"

#include <algorithm>
#include <string>

#include "app/win32/control_ids.h"
#include "app/win32/control_text.h"

namespace tolvanex::win32 {

namespace {

// Sizes in dialog units.
constexpr int kMargin = 7;
constexpr int kInset = 6;   // from a group's edge to its controls
constexpr int kGap = 4;     // between controls of a row
constexpr int kRowGap = 3;  // between rows of a group
constexpr int kRow = 14;    // a row of text boxes and buttons
constexpr int kSmallButton = 24;
constexpr int kRunButton = 50;
constexpr int kExtension = 40;
constexpr int kDateFormat = 110;
constexpr int kDroppedList = 90;  // the date formats' list when dropped down
constexpr int kProgress = 3;
constexpr int kSmallestWidth = 260;
constexpr int kSmallestHeight = 200;

// Dialog units to pixels, with the window's font.
class Units {
 public:
  explicit Units(HWND window) {
    RECT scale{0, 0, 400, 800};
    ::MapDialogRect(window, &scale);
    x_ = scale.right;
    y_ = scale.bottom;
  }
  int X(int units) const { return ::MulDiv(units, x_, 400); }
  int Y(int units) const { return ::MulDiv(units, y_, 800); }

 private:
  int x_;
  int y_;
};

// Pixels wide of a control's text in the window's font.
int TextWidth(HWND window, int id) {
  HWND control = ::GetDlgItem(window, id);
  std::wstring text = ControlText(control);
  HDC context = ::GetDC(control);
  HGDIOBJ old =
      ::SelectObject(context, reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(context, old);
  ::ReleaseDC(control, context);
  return size.cx;
}

// The square of a check box's box, which the system scales with the resolution.
int CheckGlyph(HWND window) {
  return ::MulDiv(12, static_cast<int>(::GetDpiForWindow(window)), 96) + 1;
}

// The width a check box needs: its box, the gap after it and its caption.
int CheckBoxWidth(HWND window, const Units& units, int id) {
  return CheckGlyph(window) + units.X(3) + TextWidth(window, id) + units.X(1);
}

// A combo box is as high as its font makes its field; it is made as high as the row instead, the
// text of its field staying in the middle.
void FitComboBoxHeight(HWND box, int height) {
  if (box == nullptr) return;
  for (int tries = 0; tries < 2; ++tries) {
    RECT shown{};
    ::GetWindowRect(box, &shown);
    int off = height - (shown.bottom - shown.top);
    if (off == 0) return;
    auto field =
        static_cast<int>(::SendMessageW(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    ::SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(field + off, 1));
  }
}

class Placer {
 public:
  explicit Placer(HWND window) : window_(window) { batch_ = ::BeginDeferWindowPos(40); }
  Placer(const Placer&) = delete;
  Placer& operator=(const Placer&) = delete;
  ~Placer() {
    if (batch_ != nullptr) ::EndDeferWindowPos(batch_);
    ::InvalidateRect(window_, nullptr, TRUE);
  }
  void Place(int id, int left, int top, int width, int height) {
    HWND control = ::GetDlgItem(window_, id);
    if (control == nullptr) return;
    width = std::max(width, 0);
    height = std::max(height, 0);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (batch_ != nullptr) {
      batch_ = ::DeferWindowPos(batch_, control, nullptr, left, top, width, height, flags);
    } else {
      ::SetWindowPos(control, nullptr, left, top, width, height, flags);
    }
  }

 private:
  HWND window_;
  HDWP batch_;
};

}  // namespace

std::array<GroupFrame, 2> LayOutControls(HWND window) {
  Units u(window);
  RECT client{};
  ::GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  const int margin = u.X(kMargin);
  const int gap = u.X(kGap);
  const int row = u.Y(kRow);
  const int rowGap = u.Y(kRowGap);
  const int button = u.X(kSmallButton);

  // The caption column is as wide as its widest caption, so that the fields line up.
  int captions = 0;
  for (int id : {IDC_LABEL1_0, IDC_LABEL1_1, IDC_LABEL1_2, IDC_LABEL1_3, IDC_LABEL1_4, IDC_LABEL1_5,
                 IDC_LABEL1_6, IDC_LABEL1_8}) {
    captions = std::max(captions, TextWidth(window, id));
  }
  captions += u.X(2);
  const int left = margin + u.X(kInset);
  const int fields = left + captions + gap;
  const int right = width - margin - u.X(kInset);

  Placer placer(window);

  // The data file row.
  int top = margin;
  int editX = right - button;
  int browseX = editX - gap - button;
  placer.Place(IDC_LABEL1_1, left, top, captions, row);
  placer.Place(IDC_TXT_FILE_0, fields, top, browseX - gap - fields, row);
  placer.Place(IDC_CMD_GETFILE_0, browseX, top, button, row);
  placer.Place(IDC_CMD_EDIT_0, editX, top, button, row);
  top += row + u.Y(8);

  // The post file group: folder, lookup file with its sort box, last post file. A heading is
  // as high as its text or its box, whichever is higher, with a pixel of room above and below.
  const int heading = std::max(FontLineHeight(window), CheckGlyph(window)) + 2;
  const int headingX = margin + u.X(kInset) - u.X(2);
  std::array<GroupFrame, 2> frames{};
  const int postTop = top;
  const int sortWidth = CheckBoxWidth(window, u, IDC_CHK_SORTLOOKUP);
  const int sortX = right - sortWidth;
  editX = sortX - gap - button;
  browseX = editX - gap - button;
  placer.Place(IDC_CHK_OUTPUTPOSTFILE, headingX, postTop,
               CheckBoxWidth(window, u, IDC_CHK_OUTPUTPOSTFILE), heading);
  top = postTop + heading + rowGap;
  placer.Place(IDC_LABEL1_0, left, top, captions, row);
  placer.Place(IDC_LBL_FOLDER_0, fields, top, browseX - gap - fields, row);
  placer.Place(IDC_CMD_GETFOLDER_0, browseX, top, button, row);
  top += row + rowGap;
  placer.Place(IDC_LABEL1_3, left, top, captions, row);
  placer.Place(IDC_TXT_FILE_1, fields, top, browseX - gap - fields, row);
  placer.Place(IDC_CMD_GETFILE_1, browseX, top, button, row);
  placer.Place(IDC_CMD_EDIT_1, editX, top, button, row);
  placer.Place(IDC_CHK_SORTLOOKUP, sortX, top, sortWidth, row);
  top += row + rowGap;
  placer.Place(IDC_LABEL1_5, left, top, captions, row);
  placer.Place(IDC_LBL_FILE_0, fields, top, editX - gap - fields, row);
  placer.Place(IDC_CMD_EDIT_3, editX, top, button, row);
  top += row + u.Y(kInset);
  frames[0] = {RECT{margin, postTop + heading / 2 - 1, width - margin, top},
               IDC_CHK_OUTPUTPOSTFILE};

  // The bottom row, from the bottom up: the run buttons beside the status line, and under the
  // status line the run's progress, which keeps its place while hidden.
  const int progress = std::max(u.Y(kProgress), 3);
  const int bottomTop = height - margin - progress - u.Y(2) - row;
  const int closeX = width - margin - u.X(kRunButton);
  const int exportX = closeX - gap - u.X(kRunButton);
  placer.Place(IDC_LBL_STATUS, margin, bottomTop, exportX - gap - margin, row);
  placer.Place(IDC_RUN_PROGRESS, margin, bottomTop + row + u.Y(2), exportX - gap - margin,
               progress);
  placer.Place(IDC_CMD_EXPORT, exportX, bottomTop, u.X(kRunButton), row);
  placer.Place(IDC_CMD_CLOSE, closeX, bottomTop, u.X(kRunButton), row);

  // The text file group takes the height between: folder, extension, date format, files list.
  top += u.Y(6);
  const int textTop = top;
  const int textBottom = bottomTop - u.Y(6);
  browseX = right - button;
  placer.Place(IDC_CHK_OUTPUTTEXTFILES, headingX, textTop,
               CheckBoxWidth(window, u, IDC_CHK_OUTPUTTEXTFILES), heading);
  top = textTop + heading + rowGap;
  placer.Place(IDC_LABEL1_2, left, top, captions, row);
  placer.Place(IDC_LBL_FOLDER_1, fields, top, browseX - gap - fields, row);
  placer.Place(IDC_CMD_GETFOLDER_1, browseX, top, button, row);
  top += row + rowGap;
  placer.Place(IDC_LABEL1_6, left, top, captions, row);
  placer.Place(IDC_TXT_EXTENSION, fields, top, u.X(kExtension), row);
  top += row + rowGap;
  placer.Place(IDC_LABEL1_8, left, top, captions, row);
  placer.Place(IDC_CMB_DATEFORMAT, fields, top, u.X(kDateFormat), row + u.Y(kDroppedList));
  top += row + rowGap;
  const int listBottom = textBottom - u.Y(kInset);
  placer.Place(IDC_LABEL1_4, left, top + u.Y(2), captions, row);
  placer.Place(IDC_LST_FILES, fields, top, browseX - gap - fields, listBottom - top);
  placer.Place(IDC_CMD_EDIT_2, browseX, top, button, row);
  frames[1] = {RECT{margin, textTop + heading / 2 - 1, width - margin, textBottom},
               IDC_CHK_OUTPUTTEXTFILES};
  FitComboBoxHeight(::GetDlgItem(window, IDC_CMB_DATEFORMAT), row);
  return frames;
}

void PaintGroupFrames(HWND window, HDC context, const std::array<GroupFrame, 2>& frames) {
  // The line stops a little short of the heading, as it does before a group box's text.
  Units u(window);
  int gap = std::max(u.X(1), 1);
  int saved = ::SaveDC(context);
  for (const GroupFrame& group : frames) {
    RECT heading{};
    HWND box = ::GetDlgItem(window, group.Heading);
    if (box == nullptr || !::IsWindowVisible(box)) continue;
    ::GetWindowRect(box, &heading);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&heading), 2);
    ::ExcludeClipRect(context, heading.left - gap, heading.top, heading.right + gap,
                      heading.bottom);
  }
  for (const GroupFrame& group : frames) {
    RECT frame = group.Frame;
    ::DrawEdge(context, &frame, EDGE_ETCHED, BF_RECT);
  }
  ::RestoreDC(context, saved);
}

SIZE SmallestClientSize(HWND window) {
  Units u(window);
  return SIZE{u.X(kSmallestWidth), u.Y(kSmallestHeight)};
}

}  // namespace tolvanex::win32
