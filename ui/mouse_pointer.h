// A scope guard for the application-wide mouse pointer: the pointer in force before the guard's
// first change comes back when the guard ends, whichever way its routine is left.
#pragma once

#include <cstdint>

namespace tolvanex {

class Platform;

class CMousePointer {
 public:
  explicit CMousePointer(Platform& desktop) : desktop_(desktop) {}
  CMousePointer(const CMousePointer&) = delete;
  CMousePointer& operator=(const CMousePointer&) = delete;
  ~CMousePointer();

  // Sets the application-wide pointer; the first setting saves the pointer it replaces. A code
  // outside the 16-bit range is refused with a message and changes nothing.
  void MousePointer(std::int32_t ai_Pointer);

 private:
  Platform& desktop_;
  int saved_ = -1;  // -1: nothing saved, so nothing to restore
};

}  // namespace tolvanex
