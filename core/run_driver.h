// The conversion run that the run button starts.
#pragma once

namespace tolvanex {

class Frm_Tolvanex;

// The run button: cancels the run in progress, or starts one.
void Cmd_Export_Click(Frm_Tolvanex& form);
// One run over the data file named in Txt_File(0).
void DoExport(Frm_Tolvanex& form);

}  // namespace tolvanex
