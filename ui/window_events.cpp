#include "ui/window_events.h"

#include <exception>
#include <string>

#include "base/errors.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {

void RunEventRoutine(Frm_Tolvanex& form, const std::function<void()>& routine) {
  try {
    routine();
  } catch (...) {
    form.Desktop.MessageBox(DescriptionOf(std::current_exception()),
                            std::string(kApplicationTitle));
  }
}

}  // namespace tolvanex
