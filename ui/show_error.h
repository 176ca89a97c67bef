// The report of a failure, shown to the user.
#pragma once

#include <string_view>

#include "base/reports.h"

namespace tolvanex {

class Frm_Tolvanex;

// The reports of the window's routines: each in a message box as ShowError shows it.
class WindowReports : public ReportSink {
 public:
  explicit WindowReports(Frm_Tolvanex& form) : form_(form) {}
  void Take(const Report& report) override;

 private:
  Frm_Tolvanex& form_;
};

// Reports the failure being handled in a modal box under the application title: its
// description, CR LF, "Tolvanex:" and the label. Call it from inside the catch block of a
// trapping routine.
void ShowError(Frm_Tolvanex& form, std::string_view label);
// The same for a failure that was found, not thrown: its description given.
void ShowError(Frm_Tolvanex& form, std::string_view description, std::string_view label);

}  // namespace tolvanex
