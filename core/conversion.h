// The conversion in hand: its request and observer, the session it works in, and what it has
// done so far. The routines of a run take it as their first argument.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/reports.h"
#include "core/conversion_request.h"
#include "core/conversion_result.h"
#include "core/line_analysis.h"
#include "core/run_observer.h"
#include "lookup/lookup_table.h"
#include "model/current_reading.h"
#include "model/run_state.h"

namespace tolvanex {

// What lives from one conversion to the next: the lookup table as last read or written, the
// text files' cache with what it knows of files it has closed, and the buffers a run reuses.
struct EngineSession {
  LookupStore Lookup;
  RunState Run;
  CurrentReading Reading;
};

class Conversion : public ReportSink {
 public:
  Conversion(const ConversionRequest& request, RunObserver& observer, EngineSession& session);

  const ConversionRequest& Request;
  RunObserver& Observer;
  LookupStore& Lookup;
  RunState& Run;
  CurrentReading& Reading;
  // Maps level codes to value slots and heads the text files' columns: 0.7 at index 1, then
  // 1.5, 2.5, ... 31.5 at indexes 2 to 32.
  ColumnLevelTable ColumnLevels{};
  std::string PostFileSN;    // the SN the open post file was started for
  std::string PostFilePath;  // the name the post file in hand is to get, or got last
  ConversionResult Result;

  // A report of the run: kept for the result and told to the observer, who sees the status line
  // as it stands first.
  void Take(const tolvanex::Report& report) override;
  // The status line's new text. The observer gets it when it wants it, and before any report.
  void SetStatus(std::string_view text);
  void SetStatus(std::string_view prefix, std::string_view text);
  // The status line of a data line: the pair and the reading's date, which is written with the
  // request's date pattern (CurrentReadingPattern, current by then) only when somebody looks.
  void SetReadingStatus(std::string_view id1, std::string_view id2, double readingTime);
  const std::string& Status() const;
  // Tells the observer the status line's text when it wants it now, or when asked to.
  void ShowStatus(bool always = false);
  // A new name of the post file in hand.
  void NamePostFile(const std::string& path);

 private:
  mutable std::string status_;
  // A reading's status not yet written into status_.
  mutable bool readingStatusDue_ = false;
  std::string statusId1_;
  std::string statusId2_;
  double statusTime_ = 0;
};

}  // namespace tolvanex
