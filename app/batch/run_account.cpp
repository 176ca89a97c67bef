#include "app/batch/run_account.h"

#include <nlohmann/json.hpp>

namespace tolvanex {

std::string_view RunEndName(RunEnd end) {
  switch (end) {
    case RunEnd::EndOfData:
      return "end_of_data";
    case RunEnd::StopRequest:
      return "stop_request";
    case RunEnd::NoSiteNumber:
      return "no_site_number";
    case RunEnd::Failure:
      return "failure";
    case RunEnd::NotStarted:
      return "not_started";
  }
  return "failure";
}

std::string RunAccountJson(const DataFileRun& run) {
  // Kept in the order written, for people reading the output too.
  using json = nlohmann::ordered_json;
  std::int64_t textFileReadings = 0;
  json textFiles = json::array();
  for (const auto& [path, tally] : run.TextFiles) {
    textFiles.push_back({{"path", path}, {"appended", tally.Appended}, {"skipped", tally.Skipped}});
    textFileReadings += tally.Appended;
  }
  json reports = json::array();
  for (const Report& report : run.Reports) {
    reports.push_back({{"description", report.Description}, {"label", report.Label}});
  }
  json account = {
      {"data_file", run.DataFile},
      {"exit_status", run.ExitStatus},
      {"ended", RunEndName(run.End)},
      {"status", run.FinalStatus.empty() ? json() : json(run.FinalStatus)},
      {"readings_posted",
       {{"total", run.ReadingsPosted},
        {"post_files", run.PostFileReadings},
        {"text_files", textFileReadings}}},
      {"post_files", run.PostFiles},
      {"text_files", std::move(textFiles)},
      {"reports", std::move(reports)},
      {"archived_as", run.ArchivedAs ? json(*run.ArchivedAs) : json()},
  };
  // Data files are 8-bit text of any code page; JSON must be UTF-8.
  return account.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace tolvanex
