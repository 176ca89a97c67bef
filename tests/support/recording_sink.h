// A sink for the reports of routines that trap their own failures (the lookup table's, the
// settings'): it keeps every report it takes, in order.
#pragma once

#include <string>
#include <vector>

#include "base/errors.h"
#include "base/reports.h"

namespace tolvanex::testing {

class RecordingSink : public ReportSink {
 public:
  std::vector<Report> Reports;

  void Take(const Report& report) override { Reports.push_back(report); }

  // The reports as the window shows them: the description, CR LF, "Tolvanex:" and the label.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Report& report : Reports) {
      texts.push_back(ErrorReport(report.Description, report.Label));
    }
    return texts;
  }
};

}  // namespace tolvanex::testing
