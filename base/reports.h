// The reports of failures: what failed (its description) and where (its label). A routine that
// traps its failures hands each report to a sink: the window shows it in a message box, the
// batch command writes it on stderr, a conversion keeps it for its result too.
#pragma once

#include <string>
#include <string_view>

namespace tolvanex {

struct Report {
  std::string Description;
  std::string Label;
  friend bool operator==(const Report&, const Report&) = default;
};

class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void Take(const Report& report) = 0;
};

// Hands the failure being handled to the sink under a label. Call it from inside a catch block.
void ReportFailure(ReportSink& sink, std::string_view label);
// The same for a failure that was found, not thrown: its description given.
void ReportFailure(ReportSink& sink, std::string_view description, std::string_view label);

}  // namespace tolvanex
