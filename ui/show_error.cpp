#include "ui/show_error.h"

#include "base/errors.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {

void ShowError(Frm_Tolvanex& form, std::string_view label) {
  ShowError(form, DescriptionOf(std::current_exception()), label);
}

void ShowError(Frm_Tolvanex& form, std::string_view description, std::string_view label) {
  form.Desktop.MessageBox(ErrorReport(description, label), std::string(kApplicationTitle));
}

void WindowReports::Take(const Report& report) {
  ShowError(form_, report.Description, report.Label);
}

}  // namespace tolvanex
