// Loads long lookup files, each run in a process of its own, and prints the load time and the
// process's peak memory (VmHWM) next to the file's size. After the load a run resolves a known
// pair (so the index stands) and reads the peak; then it resolves a new pair, which appends it,
// sorts the table and saves the file, and reads the peak again.
//
//   lookup_bench --work DIR [--repeat N] FILE...
//
// Each run works on a copy of FILE in DIR, so that the save leaves FILE as it is.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "core/site_resolution.h"
#include "tests/support/quiet_observer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Figures {
  double LoadSeconds = 0;
  long LoadedPeakKiB = 0;  // after the load and one look-up
  double AddSeconds = 0;   // a new pair: appended, sorted, saved
  long AddedPeakKiB = 0;
  long StartPeakKiB = 0;  // before the load: the program itself
  bool Ok = false;
};

long PeakKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

Figures Measure(const std::string& path) {
  Figures figures;
  figures.StartPeakKiB = PeakKiB();
  tolvanex::ConversionRequest request;
  request.LookupFile = path;
  request.SortLookup = true;
  tolvanex::testing::QuietObserver observer;
  observer.Answer = "7";  // to every prompt for a site number
  tolvanex::EngineSession session;
  tolvanex::Conversion conversion(request, observer, session);
  std::int32_t site = 0;

  // The pair that generate_data's first data pair has: its entry is among the last ones.
  conversion.Reading.Fields = {"1000", "1"};
  auto start = Clock::now();
  bool found = FindSiteNumber(conversion, site);
  figures.LoadSeconds = Since(start);
  figures.LoadedPeakKiB = PeakKiB();

  conversion.Reading.Fields = {"new", "pair"};
  start = Clock::now();
  bool added = FindSiteNumber(conversion, site);
  figures.AddSeconds = Since(start);
  figures.AddedPeakKiB = PeakKiB();
  figures.Ok = found && added && site == 7 && observer.Messages.empty();
  return figures;
}

// One measurement in a child process, so that each peak is its own.
Figures MeasureInChild(const std::string& path) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {};
  std::fflush(nullptr);
  pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    Figures figures = Measure(path);
    ssize_t written = ::write(pipe[1], &figures, sizeof figures);
    ::_exit(written == static_cast<ssize_t>(sizeof figures) ? 0 : 1);
  }
  ::close(pipe[1]);
  Figures figures;
  ssize_t got = ::read(pipe[0], &figures, sizeof figures);
  ::close(pipe[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (got != static_cast<ssize_t>(sizeof figures) || !WIFEXITED(status)) figures.Ok = false;
  return figures;
}

long CountEntries(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> block(1 << 20);
  long lines = 0;
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    lines += std::count(block.begin(), block.begin() + in.gcount(), '\n');
  }
  return lines - 1;  // less the header
}

double MiB(long kib) {
  return static_cast<double>(kib) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string work;
  int repeat = 3;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--work" && i + 1 < argc) {
      work = argv[++i];
    } else if (argument == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else {
      files.push_back(argument);
    }
  }
  if (work.empty() || files.empty()) {
    std::fprintf(stderr, "usage: lookup_bench --work DIR [--repeat N] FILE...\n");
    return 2;
  }
  fs::create_directories(work);
  std::printf("lookup tables: median load time of %d runs, highest peak memory\n", repeat);
  std::printf("%10s %10s %10s %10s %12s %9s %12s %12s %9s\n", "entries", "file", "load", "ns/entry",
              "peak", "x file", "add+save", "peak", "x file");
  for (const std::string& file : files) {
    long entries = CountEntries(file);
    double fileMiB = static_cast<double>(fs::file_size(file)) / (1024.0 * 1024.0);
    std::vector<Figures> runs;
    for (int i = 0; i < repeat; ++i) {
      std::string copy = work + "/sites.lkp";
      fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
      runs.push_back(MeasureInChild(copy));
    }
    std::sort(runs.begin(), runs.end(),
              [](const Figures& a, const Figures& b) { return a.LoadSeconds < b.LoadSeconds; });
    Figures median = runs[runs.size() / 2];
    bool ok = true;
    long start = 0;
    for (const Figures& run : runs) {
      median.LoadedPeakKiB = std::max(median.LoadedPeakKiB, run.LoadedPeakKiB);
      median.AddedPeakKiB = std::max(median.AddedPeakKiB, run.AddedPeakKiB);
      start = std::max(start, run.StartPeakKiB);
      ok = ok && run.Ok;
    }
    std::sort(runs.begin(), runs.end(),
              [](const Figures& a, const Figures& b) { return a.AddSeconds < b.AddSeconds; });
    median.AddSeconds = runs[runs.size() / 2].AddSeconds;
    std::printf("%10ld %6.1f MiB %8.2f s %10.0f %8.1f MiB %8.2fx %10.2f s %8.1f MiB %8.2fx%s\n",
                entries, fileMiB, median.LoadSeconds,
                median.LoadSeconds / static_cast<double>(entries) * 1e9, MiB(median.LoadedPeakKiB),
                MiB(median.LoadedPeakKiB) / fileMiB, median.AddSeconds, MiB(median.AddedPeakKiB),
                MiB(median.AddedPeakKiB) / fileMiB, ok ? "" : "  (run failed)");
    std::printf("%10s the program alone, before loading: %.1f MiB\n", "", MiB(start));
  }
  return 0;
}
