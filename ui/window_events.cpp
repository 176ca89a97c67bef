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

std::string_view WindowUsage() {
  return "Usage: tolvanex [OPTION]...\n"
         "Opens the Tolvanex window, which converts a data logger's data files into post files "
         "and\n"
         "per-site text files.\n"
         "\n"
         "  --settings FILE     use the settings in FILE instead of the usual settings file\n"
         "  --process-and-exit  press Process once the window is up, and close it after the run\n"
         "  -h, --help          show this help and exit\n"
         "  --version           show the version and exit\n";
}

}  // namespace tolvanex
