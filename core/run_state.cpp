#include "core/run_state.h"

#include "ui/frm_tolvanex.h"

namespace tolvanex {

void SetProcessing(Frm_Tolvanex& form) {
  form.Cmd_Export.Caption = form.RunState.Running ? "&Cancel" : "&Process";
  form.Cmd_Edit[2].Enabled = form.Lst_Files.ListIndex() >= 0;
  form.Cmd_Edit[3].Enabled = !form.Lbl_File[0].Caption.empty();
}

}  // namespace tolvanex
