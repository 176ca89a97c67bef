// The engine of the conversion: it takes a request and an observer, converts the data file and
// returns what it did. It keeps what lives from one conversion to the next (the lookup table,
// what the text file cache knows), so a front end keeps one engine for all its runs.
#pragma once

#include <thread>

#include "core/conversion.h"
#include "core/conversion_request.h"
#include "core/conversion_result.h"
#include "core/run_observer.h"

namespace tolvanex {

class ConversionEngine {
 public:
  // One run over the request's data file. Every failure is reported to the observer and kept in
  // the result; nothing is thrown.
  ConversionResult Convert(const ConversionRequest& request, RunObserver& observer);

  // The lookup file may have changed (the user edits it, or chooses another): the table is read
  // again when the next run needs it.
  void ForgetLookupTable() { session_.Lookup.Loaded = false; }

  // The data file is read and analysed on a thread of its own, ahead of the writers, when the
  // machine has more than one core; the same run on one thread gives the same files, reports and
  // statuses.
  void AnalyseAhead(bool ahead) { analyseAhead_ = ahead; }

  // What lives between runs, for tests.
  EngineSession& Session() { return session_; }

 private:
  EngineSession session_;
  bool analyseAhead_ = std::thread::hardware_concurrency() > 1;
};

}  // namespace tolvanex
