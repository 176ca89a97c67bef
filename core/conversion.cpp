#include "core/conversion.h"

namespace tolvanex {

Conversion::Conversion(const ConversionRequest& request, RunObserver& observer,
                       EngineSession& session)
    : Request(request),
      Observer(observer),
      Lookup(session.Lookup),
      Run(session.Run),
      Reading(session.Reading) {
  ColumnLevels[1] = 0.7f;
  float level = 1.5f;
  for (int i = 2; i <= 32; ++i) {
    ColumnLevels[i] = level;
    level += 1.0f;
  }
}

void Conversion::Take(const tolvanex::Report& report) {
  ShowStatus(true);
  Result.Reports.push_back(report);
  Observer.Report(report);
}

void Conversion::SetStatus(std::string_view text) {
  status_.assign(text);
  readingStatusDue_ = false;
}

void Conversion::SetStatus(std::string_view prefix, std::string_view text) {
  status_.assign(prefix);
  status_ += text;
  readingStatusDue_ = false;
}

void Conversion::SetReadingStatus(std::string_view id1, std::string_view id2, double readingTime) {
  statusId1_.assign(id1);
  statusId2_.assign(id2);
  statusTime_ = readingTime;
  readingStatusDue_ = true;
}

const std::string& Conversion::Status() const {
  if (readingStatusDue_) {
    readingStatusDue_ = false;
    status_.assign(statusId1_);
    status_ += '/';
    status_ += statusId2_;
    status_ += ' ';
    Run.ReadingPattern.AppendTo(status_, statusTime_, Request.Regional);
  }
  return status_;
}

void Conversion::ShowStatus(bool always) {
  if (status_.empty() && !readingStatusDue_) return;
  if (always || Observer.StatusWanted()) Observer.Status(Status());
}

void Conversion::NamePostFile(const std::string& path) {
  PostFilePath = path;
  Observer.PostFileNamed(path);
}

}  // namespace tolvanex
