#include "model/show_error.h"

#include "base/errors.h"
#include "model/frm_tolvanex.h"

namespace tolvanex {

void ShowError(Frm_Tolvanex& form, std::string_view label) {
  form.Desktop.MessageBox(ErrorReport(DescriptionOf(std::current_exception()), label),
                          std::string(kApplicationTitle));
}

}  // namespace tolvanex
