#include "sites_matrix.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "io_floor.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

struct MatrixRun {
  const char* Name;
  int Pairs;
  long Entries;
  Mode How;
};

constexpr MatrixRun kRuns[] = {
    {"base", 20, 20, kPostOnly},       {"base", 20, 20, kTextOnly},
    {"base", 20, 20, kBoth},           {"many sites", 50, 50, kTextOnly},
    {"many sites", 50, 50, kBoth},     {"many sites", 500, 500, kTextOnly},
    {"many sites", 500, 500, kBoth},   {"many sites", 5000, 5000, kTextOnly},
    {"many sites", 5000, 5000, kBoth}, {"long table", 20, 100000, kPostOnly},
};

std::string Describe(const MatrixRun& run) {
  bool longTable = run.Entries > run.Pairs;
  return std::to_string(longTable ? run.Entries : run.Pairs) +
         (longTable ? " entries, " : " pairs, ") + run.How.Name;
}

// The run of many sites of a number of pairs in a mode.
std::size_t ManySites(int pairs, const Mode& mode) {
  std::size_t i = 0;
  while (kRuns[i].Pairs != pairs || kRuns[i].How.Text != mode.Text ||
         kRuns[i].How.Post != mode.Post)
    ++i;
  return i;
}

// The limit of each number of pairs, as a ratio to the run of 20 pairs in the same mode.
double PairsLimit(int pairs) {
  return pairs >= 5000 ? 1.5 : 1.2;
}

std::string DataFile(const std::string& folder, long lines, int pairs) {
  return folder + "/data-" + std::to_string(lines) + "-" + std::to_string(pairs) + ".dat";
}

// The data and lookup file of a number of pairs and lookup entries, generated once into folder.
std::pair<std::string, std::string> MatrixData(const Options& options, int pairs, long entries,
                                               long lines) {
  std::string folder = options.at("--matrix");
  std::string data = DataFile(folder, lines, pairs);
  std::string lookup = data.substr(0, data.size() - 4) + "-" + std::to_string(entries) + ".lkp";
  if (!fs::exists(data) || !fs::exists(lookup)) {
    fs::create_directories(folder);
    std::string command = options.at("--generate") + " " + std::to_string(lines) + " " + data +
                          " " + lookup + " 20230714 " + std::to_string(pairs) + " " +
                          std::to_string(entries);
    if (std::system(command.c_str()) != 0)
      std::fprintf(stderr, "run_bench: %s failed\n", command.c_str());
  }
  return {data, lookup};
}

}  // namespace

void RunMatrix(const Options& options, RunFolders& folders, int rounds, Targets& targets) {
  long lines = options.count("--matrix-lines") ? std::stol(options.at("--matrix-lines")) : 1000000;
  std::vector<std::function<Timing()>> runs;
  for (const MatrixRun& run : kRuns) {
    auto [data, lookup] = MatrixData(options, run.Pairs, run.Entries, lines);
    runs.push_back([&options, &folders, data, lookup, run] {
      return RunOnce(options, folders, data, lookup, run.How, false);
    });
  }
  // The floor of each data file, in the same rounds.
  std::map<std::string, std::size_t> floorOf;
  for (const MatrixRun& run : kRuns) {
    std::string data = DataFile(options.at("--matrix"), lines, run.Pairs);
    if (floorOf.count(data)) continue;
    floorOf[data] = runs.size();
    runs.push_back([&folders, data] { return FloorOnce(folders, data).Time; });
  }
  std::vector<Timing> medians = Interleaved(runs, rounds);

  std::printf("\nmatrix: %ld lines a run, median of %d rounds, the runs taken in turn\n", lines,
              rounds);
  std::printf("%-11s %6s %8s %-16s %9s %12s %8s %8s %13s\n", "run", "pairs", "entries", "mode",
              "wall", "us/reading", "x base", "x floor", "peak memory");
  std::map<std::string, Timing> base;
  for (std::size_t i = 0; i < std::size(kRuns); ++i) {
    const MatrixRun& run = kRuns[i];
    const Timing& timing = medians[i];
    const Timing& floor = medians[floorOf.at(DataFile(options.at("--matrix"), lines, run.Pairs))];
    if (std::string(run.Name) == "base") base[run.How.Name] = timing;
    double ratio = timing.Seconds / base[run.How.Name].Seconds;
    std::printf("%-11s %6d %8ld %-16s %7.2f s %12.3f %7.2fx %7.2fx %9.1f MiB%s%s\n", run.Name,
                run.Pairs, run.Entries, run.How.Name, timing.Seconds,
                timing.Seconds / static_cast<double>(lines) * 1e6, ratio,
                timing.Seconds / floor.Seconds, timing.PeakKiB / 1024.0,
                timing.Ok ? "" : "  (run failed)", floor.Ok ? "" : "  (floor failed)");
    targets.Peak("matrix, " + Describe(run), timing);
  }
  // Text files only first, then both; the most pairs first.
  for (const Mode& mode : {kTextOnly, kBoth}) {
    for (int pairs : {5000, 50, 500}) {
      std::size_t i = ManySites(pairs, mode);
      const Timing& baseTiming = base[mode.Name];
      targets.Ratio(Describe(kRuns[i]) + ", " + std::to_string(lines) + " lines",
                    medians[i].Seconds / baseTiming.Seconds, PairsLimit(pairs), "20 pairs",
                    medians[i].Ok && baseTiming.Ok);
    }
  }
}

}  // namespace bench
