#include "tests/app/win32/screen_capture.h"

#include <algorithm>
#include <fstream>

namespace tolvanex::testing {

ScreenCapture::ScreenCapture(const RECT& area)
    : area_(area), width_(area.right - area.left), height_(area.bottom - area.top) {
  pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP picture = ::CreateCompatibleBitmap(screen, width_, height_);
  HGDIOBJ old = ::SelectObject(memory, picture);
  ::BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
  ::SelectObject(memory, old);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width_;
  format.bmiHeader.biHeight = -height_;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  ::GetDIBits(memory, picture, 0, static_cast<UINT>(height_), pixels_.data(), &format,
              DIB_RGB_COLORS);
  ::DeleteObject(picture);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

bool ScreenCapture::Dark(int x, int y) const {
  const RGBQUAD& pixel =
      pixels_[static_cast<std::size_t>(y - area_.top) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(x - area_.left)];
  // The system's grey text of a disabled control counts too.
  return pixel.rgbRed + pixel.rgbGreen + pixel.rgbBlue < 3 * 0xB8;
}

int ScreenCapture::DarkPixels(const RECT& within) const {
  int count = 0;
  for (int y = std::max(within.top, area_.top); y < std::min(within.bottom, area_.bottom); ++y) {
    for (int x = std::max(within.left, area_.left); x < std::min(within.right, area_.right); ++x) {
      if (Dark(x, y)) ++count;
    }
  }
  return count;
}

RECT ScreenCapture::DarkBounds(const RECT& within) const {
  RECT bounds{within.left, within.bottom, within.right, within.top - 1};
  for (int y = std::max(within.top, area_.top); y < std::min(within.bottom, area_.bottom); ++y) {
    for (int x = std::max(within.left, area_.left); x < std::min(within.right, area_.right); ++x) {
      if (!Dark(x, y)) continue;
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.bottom = std::max<LONG>(bounds.bottom, y);
    }
  }
  return bounds;
}

void ScreenCapture::Save(const std::string& path) const {
  const int rowBytes = (width_ * 3 + 3) / 4 * 4;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width_;
  info.biHeight = -height_;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * height_);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  std::vector<char> row(static_cast<std::size_t>(rowBytes));
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const RGBQUAD& pixel =
          pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                  static_cast<std::size_t>(x)];
      row[static_cast<std::size_t>(x) * 3] = static_cast<char>(pixel.rgbBlue);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>(pixel.rgbGreen);
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>(pixel.rgbRed);
    }
    out.write(row.data(), rowBytes);
  }
}

}  // namespace tolvanex::testing
