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
}

void Conversion::ShowStatus(bool always) {
  if (status_.empty()) return;
  if (always || Observer.StatusWanted()) Observer.Status(status_);
}

void Conversion::NamePostFile(const std::string& path) {
  PostFilePath = path;
  Observer.PostFileNamed(path);
}

}  // namespace tolvanex
