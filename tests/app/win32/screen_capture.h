// What the screen shows, as a user sees it: the pixels of an area copied from the screen, not
// what a window would draw when asked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tolvanex::testing {

class ScreenCapture {
 public:
  // Copies the area of the screen, in screen coordinates.
  explicit ScreenCapture(const RECT& area);

  // Pixels of the area within the rectangle (screen coordinates) that are dark: text drawn in
  // the system's text colour or its grey of a disabled control, smoothed edges included.
  int DarkPixels(const RECT& within) const;
  // The first and last rows (screen coordinates) within the rectangle that hold a dark pixel;
  // top > bottom when none does.
  RECT DarkBounds(const RECT& within) const;
  // Writes the capture as a 24-bit BMP file, to look at when a test fails.
  void Save(const std::string& path) const;

 private:
  bool Dark(int x, int y) const;

  RECT area_;
  int width_;
  int height_;
  std::vector<RGBQUAD> pixels_;  // rows from the top
};

}  // namespace tolvanex::testing
