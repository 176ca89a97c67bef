#include "ui/mouse_pointer.h"

#include <exception>
#include <string>

#include "base/errors.h"
#include "ui/platform.h"

namespace tolvanex {

namespace {

void ShowDescription(Platform& desktop) {
  desktop.MessageBox(DescriptionOf(std::current_exception()), std::string(kApplicationTitle));
}

}  // namespace

void CMousePointer::MousePointer(std::int32_t ai_Pointer) {
  try {
    if (saved_ < 0) saved_ = desktop_.MousePointer();
    if (ai_Pointer < -32768 || ai_Pointer > 32767) throw Failure(kOverflow);
    desktop_.SetMousePointer(ai_Pointer);
  } catch (...) {
    ShowDescription(desktop_);
  }
}

CMousePointer::~CMousePointer() {
  try {
    if (saved_ >= 0) desktop_.SetMousePointer(saved_);
  } catch (...) {
    ShowDescription(desktop_);
  }
}

}  // namespace tolvanex
