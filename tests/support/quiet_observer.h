// An observer for programs that run the conversion's routines without anyone at them (fuzz
// targets, benchmarks): it gives one answer to every site prompt, none unless told, and keeps
// the texts of what it was shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"
#include "core/run_observer.h"

namespace tolvanex::testing {

class QuietObserver : public RunObserver {
 public:
  // The reports as the window shows them (the description, CR LF, "Tolvanex:" and the label),
  // and the messages told, in order.
  std::vector<std::string> Messages;
  std::string Answer;  // to every site prompt; empty cancels it

  std::string AskSiteNumber(std::string_view, std::string_view, const std::string&) override {
    return Answer;
  }
  void Tell(const std::string& text) override { Messages.push_back(text); }
  void Report(const tolvanex::Report& report) override {
    Messages.push_back(ErrorReport(report.Description, report.Label));
  }
};

}  // namespace tolvanex::testing
