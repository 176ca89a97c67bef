// Times whole conversions: the batch command in its four modes, and the window's run, each over
// the same data file into an output folder of its own (see run_folders.h), beside the I/O floor of
// that file (read it, find its lines, write them to one file; see io_floor.h). The runs are taken
// round by round, the median of each reported, with its ratio to the floor's median; a table of the
// targets ends it.
//
//   run_bench --data FILE --lookup FILE --work DIR --batch PROGRAM [--window PROGRAM]
//             [--repeat N] [--small FILE --small-lookup FILE]
//             [--matrix DIR --generate PROGRAM [--matrix-lines N] [--only-matrix 1]]
//
// The matrix (sites_matrix.h) times the batch command over data of many identifier pairs and with
// a long lookup table.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "io_floor.h"
#include "process_runs.h"
#include "sites_matrix.h"
#include "targets.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr Mode kModes[] = {kPostOnly, kTextOnly, kBoth, kNeither};
constexpr Mode kWindowModes[] = {kPostOnly, kBoth};

// The limits of the whole runs, as a ratio to the floor.
constexpr double kBothLimit = 6.0;
constexpr double kNeitherLimit = 3.0;
constexpr double kPostOnlyLimit = 4.0;
constexpr double kWindowLimit = 1.05;  // x the batch command

void PrintRow(const char* front, const char* what, const Timing& timing, const Timing& floor,
              long lines, double megabytes, bool process) {
  std::printf("%-8s %-16s %8.2f s %8.2f %12.0f %10.1f", front, what, timing.Seconds,
              timing.Seconds / floor.Seconds, static_cast<double>(lines) / timing.Seconds,
              megabytes / timing.Seconds);
  if (process) std::printf(" %9.1f MiB", timing.PeakKiB / 1024.0);
  std::printf("%s\n", timing.Ok ? "" : "  (run failed)");
}

// What the whole runs measured, each the median of its rounds.
struct WholeRuns {
  std::vector<Timing> Batch;   // in the order of kModes
  std::vector<Timing> Window;  // in the order of kWindowModes, if asked for
  Timing Small;                // both outputs over the small data, if asked for
  Timing Floor, SmallFloor;
  long Lines = 0, SmallLines = 0;  // data lines, the header not counted
};

WholeRuns MeasureWholeRuns(const Options& options, RunFolders& folders, int rounds) {
  const std::string& data = options.at("--data");
  const std::string& lookup = options.at("--lookup");
  bool window = options.count("--window") > 0;
  bool small = options.count("--small") > 0;
  long lineEnds = 0, smallLineEnds = 0;

  std::vector<std::function<Timing()>> runs;
  for (const Mode& mode : kModes)
    runs.push_back([&, mode] { return RunOnce(options, folders, data, lookup, mode, false); });
  if (window) {
    for (const Mode& mode : kWindowModes)
      runs.push_back([&, mode] { return RunOnce(options, folders, data, lookup, mode, true); });
  }
  runs.push_back([&] {
    FloorRound round = FloorOnce(folders, data);
    lineEnds = round.LineEnds;
    return round.Time;
  });
  if (small) {
    runs.push_back([&] {
      return RunOnce(options, folders, options.at("--small"), options.at("--small-lookup"), kBoth,
                     false);
    });
    runs.push_back([&] {
      FloorRound round = FloorOnce(folders, options.at("--small"));
      smallLineEnds = round.LineEnds;
      return round.Time;
    });
  }
  // A run of both outputs, not timed, first: it writes the most, and the pages it frees are then
  // there for the first round as for the others (see run_folders.h).
  RunOnce(options, folders, data, lookup, kBoth, false);
  std::vector<Timing> medians = Interleaved(runs, rounds);

  WholeRuns whole;
  auto next = medians.begin();
  whole.Batch.assign(next, next + std::size(kModes));
  next += std::size(kModes);
  if (window) {
    whole.Window.assign(next, next + std::size(kWindowModes));
    next += std::size(kWindowModes);
  }
  whole.Floor = *next++;
  if (small) {
    whole.Small = *next++;
    whole.SmallFloor = *next++;
  }
  whole.Lines = lineEnds - 1;
  whole.SmallLines = smallLineEnds - 1;
  return whole;
}

// The batch command's run in a mode.
const Timing& BatchIn(const WholeRuns& whole, const Mode& mode) {
  for (std::size_t i = 0; i < std::size(kModes); ++i) {
    if (kModes[i].Post == mode.Post && kModes[i].Text == mode.Text) return whole.Batch[i];
  }
  return whole.Batch.front();
}

void ReportWholeRuns(const Options& options, const WholeRuns& whole, int rounds, Targets& targets) {
  double megabytes = static_cast<double>(fs::file_size(options.at("--data"))) / 1e6;
  std::printf("%ld data lines, %.1f MB; median of %d rounds, the runs taken in turn\n\n",
              whole.Lines, megabytes, rounds);
  std::printf("%-8s %-16s %10s %8s %12s %10s %13s\n", "front", "mode", "wall", "x floor",
              "readings/s", "MB/s", "peak memory");
  PrintRow("floor", "read and write", whole.Floor, whole.Floor, whole.Lines, megabytes, false);
  for (std::size_t i = 0; i < std::size(kModes); ++i) {
    PrintRow("batch", kModes[i].Name, whole.Batch[i], whole.Floor, whole.Lines, megabytes, true);
    targets.Peak(std::string("batch, ") + kModes[i].Name, whole.Batch[i]);
  }
  for (std::size_t i = 0; i < whole.Window.size(); ++i) {
    const Timing& batch = BatchIn(whole, kWindowModes[i]);
    PrintRow("window", kWindowModes[i].Name, whole.Window[i], whole.Floor, whole.Lines, megabytes,
             true);
    std::printf("%-8s %-16s %8.2f x the batch command\n", "", "",
                whole.Window[i].Seconds / batch.Seconds);
    targets.Peak(std::string("window, ") + kWindowModes[i].Name, whole.Window[i]);
  }
  if (options.count("--small")) {
    std::printf(
        "\nlinear growth: %ld lines take %.2f s (%.2f x their floor), %ld lines %.2f s: %.1f "
        "times as long for %.1f times the lines\n",
        whole.SmallLines, whole.Small.Seconds, whole.Small.Seconds / whole.SmallFloor.Seconds,
        whole.Lines, BatchIn(whole, kBoth).Seconds,
        BatchIn(whole, kBoth).Seconds / whole.Small.Seconds,
        static_cast<double>(whole.Lines) / static_cast<double>(whole.SmallLines));
    targets.Peak("batch, both, small data", whole.Small);
  }
  if (!whole.Floor.Ok) std::printf("\nthe floor's run failed: its ratios mean nothing\n");

  auto floorRatio = [&](const char* target, const Timing& run, double limit) {
    targets.Ratio(target, run.Seconds / whole.Floor.Seconds, limit, "floor",
                  run.Ok && whole.Floor.Ok);
  };
  floorRatio("both outputs", BatchIn(whole, kBoth), kBothLimit);
  floorRatio("neither output (reading and analysis alone)", BatchIn(whole, kNeither),
             kNeitherLimit);
  floorRatio("post files only", BatchIn(whole, kPostOnly), kPostOnlyLimit);
}

void WindowTargets(const WholeRuns& whole, Targets& targets) {
  for (std::size_t i = 0; i < whole.Window.size(); ++i) {
    const Timing& batch = BatchIn(whole, kWindowModes[i]);
    targets.Ratio(std::string("window, ") + kWindowModes[i].Name,
                  whole.Window[i].Seconds / batch.Seconds, kWindowLimit, "batch",
                  whole.Window[i].Ok && batch.Ok);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ReadOptions(argc, argv);
  for (const char* needed : {"--data", "--lookup", "--work", "--batch"}) {
    if (!options.count(needed)) {
      std::fprintf(stderr, "run_bench: %s is missing\n", needed);
      return 2;
    }
  }
  int rounds = options.count("--repeat") ? std::stoi(options["--repeat"]) : 3;
  if (rounds < 1) {
    std::fprintf(stderr, "run_bench: --repeat must be at least 1\n");
    return 2;
  }
  RunFolders folders(options["--work"]);
  bool matrix = options.count("--matrix") && options.count("--generate");
  Targets targets;
  if (!(matrix && options.count("--only-matrix"))) {
    WholeRuns whole = MeasureWholeRuns(options, folders, rounds);
    ReportWholeRuns(options, whole, rounds, targets);
    // The matrix's ratios come after these in the table; the window's last.
    if (matrix) RunMatrix(options, folders, rounds, targets);
    WindowTargets(whole, targets);
  } else {
    RunMatrix(options, folders, rounds, targets);
  }
  targets.Print();
  std::fflush(stdout);  // the table is shown before the removal, which takes a while
  folders.RemoveAll();
  return 0;
}
