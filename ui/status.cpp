#include "ui/status.h"

#include "ui/frm_tolvanex.h"

namespace tolvanex {

void SetStatus(Frm_Tolvanex& form, std::string_view text) {
  form.Lbl_Status.BackColor = text.empty() ? kButtonFace : kStatusCream;
  form.Lbl_Status.Caption.assign(text);
}

}  // namespace tolvanex
