#include "tests/support/recording_observer.h"

#include "base/errors.h"
#include "base/paths.h"

namespace tolvanex::testing {

std::string RecordingObserver::AskSiteNumber(std::string_view, std::string_view,
                                             const std::string& prompt) {
  Prompts.push_back(prompt);
  if (SiteAnswers.empty()) return std::string();
  std::string answer = SiteAnswers.front();
  SiteAnswers.pop_front();
  return answer;
}

bool RecordingObserver::StopRequested() {
  ++StopLooks;
  if (OnLine) OnLine();
  return Stop;
}

std::vector<std::string> RecordingObserver::ReportTexts() const {
  std::vector<std::string> texts;
  for (const auto& report : Reports) texts.push_back(ErrorReport(report.Description, report.Label));
  return texts;
}

ConversionRequest RequestAt(const std::string& folder) {
  ConversionRequest request;
  // As the user would pick them: with the system's separator.
  request.DataFile = AddBackslash(folder) + "data.dat";
  request.LookupFile = AddBackslash(folder) + "sites.lkp";
  request.PostFolder = AddBackslash(folder) + "post";
  request.TextFolder = AddBackslash(folder) + "text";
  request.WritePostFiles = true;
  request.WriteTextFiles = true;
  request.SortLookup = true;
  request.Extension = "txt";
  request.DatePattern = "d mmm yyyy HH:MM";
  request.Regional = EnglishRegionalSettings();
  request.CurrentYear = 2023;
  return request;
}

}  // namespace tolvanex::testing
