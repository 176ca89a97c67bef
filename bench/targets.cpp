#include "targets.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

constexpr long kPeakLimitKiB = 64 * 1024;

std::string Format(const char* format, double value, const std::string& unit) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text + unit;
}

}  // namespace

void Targets::Ratio(const std::string& target, double ratio, double limit,
                    const std::string& against, bool runsOk) {
  const char* result = !runsOk ? "run failed" : ratio <= limit ? "met" : "not met";
  Rows.push_back({target, Format("<= %.2f", limit, " x " + against),
                  Format("%.2f", ratio, " x " + against), result});
}

void Targets::Peak(const std::string& run, const Timing& timing) {
  if (!AnyPeak || timing.PeakKiB > HighestPeakKiB) {
    HighestPeakKiB = timing.PeakKiB;
    HighestPeakRun = run;
  }
  AnyPeak = true;
}

void Targets::Print() const {
  std::vector<Row> rows = Rows;
  if (AnyPeak) {
    rows.push_back({"peak memory of every run (highest: " + HighestPeakRun + ")",
                    Format("< %.0f", kPeakLimitKiB / 1024.0, " MiB"),
                    Format("%.1f", HighestPeakKiB / 1024.0, " MiB"),
                    HighestPeakKiB < kPeakLimitKiB ? "met" : "not met"});
  }
  int width = 6;
  for (const Row& row : rows) width = std::max(width, static_cast<int>(row.Target.size()));
  std::printf("\ntargets\n%-*s  %-20s %-18s %s\n", width, "target", "limit", "measured", "result");
  for (const Row& row : rows) {
    std::printf("%-*s  %-20s %-18s %s\n", width, row.Target.c_str(), row.Limit.c_str(),
                row.Measured.c_str(), row.Result);
  }
}

}  // namespace bench
