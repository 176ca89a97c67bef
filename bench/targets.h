// The speed and memory targets of a benchmark run, gathered as the figures come in and printed as
// one table at the end: each target's limit, the figure measured and whether it was met.
#pragma once

#include <string>
#include <vector>

#include "process_runs.h"

namespace bench {

class Targets {
 public:
  // A ratio that must stay within limit; what the ratio is taken against is named by against
  // ("floor", "20 pairs", "batch"). A run that failed meets no target.
  void Ratio(const std::string& target, double ratio, double limit, const std::string& against,
             bool runsOk);

  // Every process run counts towards the peak memory target.
  void Peak(const std::string& run, const Timing& timing);

  void Print() const;

 private:
  struct Row {
    std::string Target;
    std::string Limit;
    std::string Measured;
    const char* Result;
  };

  std::vector<Row> Rows;
  long HighestPeakKiB = 0;
  std::string HighestPeakRun;
  bool AnyPeak = false;
};

}  // namespace bench
