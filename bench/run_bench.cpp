// Times whole conversions: the batch command in its four modes, and the window's run, each over
// the same data file from empty output folders, repeated, with the median reported.
//
//   run_bench --data FILE --lookup FILE --work DIR --batch PROGRAM [--window PROGRAM]
//             [--repeat N] [--small FILE --small-lookup FILE]
//             [--matrix DIR --generate PROGRAM [--matrix-lines N]]
//
// The matrix times the batch command over data of many identifier pairs and with a long lookup
// table, each figure as a ratio to the run of 20 pairs and 20 entries in the same mode.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Mode {
  const char* Name;
  bool Post;
  bool Text;
};

constexpr Mode kModes[] = {
    {"post files only", true, false},
    {"text files only", false, true},
    {"both", true, true},
    {"neither", false, false},
};

struct Timing {
  double Seconds = 0;
  long PeakKiB = 0;
  bool Ok = false;
};

std::map<std::string, std::string> Options(int argc, char** argv) {
  std::map<std::string, std::string> options;
  for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
  return options;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

long CountDataLines(const std::string& path) {
  std::string data = ReadFile(path);
  return static_cast<long>(std::count(data.begin(), data.end(), '\n')) - 1;  // less the header
}

// A fresh work folder: empty output folders, a copy of the lookup file, a settings file.
std::string Prepare(const std::string& work, const std::string& data, const std::string& lookup,
                    const Mode& mode) {
  fs::remove_all(work);
  fs::create_directories(work + "/post");
  fs::create_directories(work + "/text");
  fs::copy_file(lookup, work + "/sites.lkp");
  std::string ini = work + "/tolvanex.ini";
  std::ofstream out(ini, std::ios::binary);
  out << "[General]\r\nDataFile=" << data << "\r\nOutputPostFile=" << (mode.Post ? 1 : 0)
      << "\r\nPostFolder=" << work << "/post\r\nLookupFile=" << work
      << "/sites.lkp\r\nSortLookup=1\r\nOutputTextFile=" << (mode.Text ? 1 : 0)
      << "\r\nExtension=txt\r\nOutputFolder=" << work << "/text\r\nDateFormat=d mmm yyyy HH:MM\r\n";
  return ini;
}

Timing Run(const std::vector<std::string>& command, bool offscreen) {
  std::fflush(nullptr);  // or the child would write this program's buffered output again
  auto start = std::chrono::steady_clock::now();
  pid_t child = ::fork();
  if (child == 0) {
    if (offscreen) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::FILE* in = std::freopen("/dev/null", "r", stdin);
    std::FILE* out = std::freopen("/dev/null", "w", stdout);
    std::FILE* err =
        std::freopen("/dev/null", "w", stderr);  // Qt's notes on the offscreen platform
    (void)in;
    (void)out;
    (void)err;
    std::vector<char*> argv;
    for (const auto& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    std::perror(argv[0]);
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  Timing timing;
  timing.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  timing.PeakKiB = usage.ru_maxrss;
  timing.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return timing;
}

Timing Median(std::vector<Timing> runs) {
  std::sort(runs.begin(), runs.end(),
            [](const Timing& a, const Timing& b) { return a.Seconds < b.Seconds; });
  Timing median = runs[runs.size() / 2];
  for (const Timing& run : runs) {
    median.PeakKiB = std::max(median.PeakKiB, run.PeakKiB);
    median.Ok = median.Ok && run.Ok;
  }
  return median;
}

Timing Measure(const std::map<std::string, std::string>& options, const std::string& data,
               const std::string& lookup, const Mode& mode, bool window, int repeat) {
  std::vector<Timing> runs;
  for (int i = 0; i < repeat; ++i) {
    std::string work = options.at("--work") + "/run";
    std::string ini = Prepare(work, data, lookup, mode);
    std::vector<std::string> command =
        window ? std::vector<std::string>{options.at("--window"), "--settings", ini,
                                          "--process-and-exit"}
               : std::vector<std::string>{options.at("--batch"), "--quiet", "--settings", ini};
    runs.push_back(Run(command, window));
  }
  return Median(runs);
}

void PrintRow(const char* front, const Mode& mode, const Timing& timing, long lines,
              double megabytes) {
  std::printf("%-8s %-16s %8.2f s %12.0f %10.1f %9.1f MiB%s\n", front, mode.Name, timing.Seconds,
              lines / timing.Seconds, megabytes / timing.Seconds, timing.PeakKiB / 1024.0,
              timing.Ok ? "" : "  (run failed)");
}

struct MatrixRun {
  const char* Name;
  int Pairs;
  long Entries;
  Mode How;
};

// The data and lookup file of a number of pairs and lookup entries, generated once into folder.
std::pair<std::string, std::string> MatrixData(const std::map<std::string, std::string>& options,
                                               int pairs, long entries, long lines) {
  std::string folder = options.at("--matrix");
  std::string stem = folder + "/data-" + std::to_string(lines) + "-" + std::to_string(pairs);
  std::string data = stem + ".dat";
  std::string lookup = stem + "-" + std::to_string(entries) + ".lkp";
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

void RunMatrix(const std::map<std::string, std::string>& options, int repeat) {
  long lines = options.count("--matrix-lines") ? std::stol(options.at("--matrix-lines")) : 1000000;
  const Mode post = kModes[0], text = kModes[1], both = kModes[2];
  const MatrixRun runs[] = {
      {"base", 20, 20, post},           {"base", 20, 20, text},
      {"base", 20, 20, both},           {"many sites", 50, 50, text},
      {"many sites", 50, 50, both},     {"many sites", 500, 500, text},
      {"many sites", 500, 500, both},   {"many sites", 5000, 5000, text},
      {"many sites", 5000, 5000, both}, {"long table", 20, 100000, post},
  };
  std::printf("\nmatrix: %ld lines a run, median of %d runs\n", lines, repeat);
  std::printf("%-11s %6s %8s %-16s %9s %12s %12s %13s\n", "run", "pairs", "entries", "mode", "wall",
              "us/reading", "x base", "peak memory");
  std::map<std::string, double> base;
  for (const MatrixRun& run : runs) {
    auto [data, lookup] = MatrixData(options, run.Pairs, run.Entries, lines);
    Timing timing = Measure(options, data, lookup, run.How, false, repeat);
    double perReading = timing.Seconds / static_cast<double>(lines) * 1e6;
    if (std::string(run.Name) == "base") base[run.How.Name] = perReading;
    std::printf("%-11s %6d %8ld %-16s %7.2f s %12.3f %11.2fx %9.1f MiB%s\n", run.Name, run.Pairs,
                run.Entries, run.How.Name, timing.Seconds, perReading,
                perReading / base[run.How.Name], timing.PeakKiB / 1024.0,
                timing.Ok ? "" : "  (run failed)");
  }
}

}  // namespace

int main(int argc, char** argv) {
  auto options = Options(argc, argv);
  for (const char* needed : {"--data", "--lookup", "--work", "--batch"}) {
    if (!options.count(needed)) {
      std::fprintf(stderr, "run_bench: %s is missing\n", needed);
      return 2;
    }
  }
  int repeat = options.count("--repeat") ? std::stoi(options["--repeat"]) : 3;
  if (options.count("--matrix") && options.count("--generate") && options.count("--only-matrix")) {
    RunMatrix(options, repeat);
    return 0;
  }
  const std::string& data = options["--data"];
  long lines = CountDataLines(data);
  double megabytes = static_cast<double>(fs::file_size(data)) / 1e6;

  std::printf("%ld data lines, %.1f MB; median of %d runs each\n\n", lines, megabytes, repeat);
  std::printf("%-8s %-16s %10s %12s %10s %13s\n", "front", "mode", "wall", "readings/s", "MB/s",
              "peak memory");
  std::map<std::string, Timing> batch;
  for (const Mode& mode : kModes) {
    Timing timing = Measure(options, data, options["--lookup"], mode, false, repeat);
    batch[mode.Name] = timing;
    PrintRow("batch", mode, timing, lines, megabytes);
  }
  if (options.count("--window")) {
    for (const Mode& mode : {kModes[0], kModes[2]}) {
      Timing timing = Measure(options, data, options["--lookup"], mode, true, repeat);
      PrintRow("window", mode, timing, lines, megabytes);
      std::printf("%-8s %-16s %8.2f x the batch command\n", "", "",
                  timing.Seconds / batch[mode.Name].Seconds);
    }
  }
  if (options.count("--small")) {
    const std::string& small = options["--small"];
    long smallLines = CountDataLines(small);
    Timing timing = Measure(options, small, options["--small-lookup"], kModes[2], false, repeat);
    std::printf(
        "\nlinear growth: %ld lines take %.2f s, %ld lines %.2f s: %.1f times as long "
        "for %.1f times the lines\n",
        smallLines, timing.Seconds, lines, batch["both"].Seconds,
        batch["both"].Seconds / timing.Seconds,
        static_cast<double>(lines) / static_cast<double>(smallLines));
  }
  if (options.count("--matrix") && options.count("--generate")) RunMatrix(options, repeat);
  return 0;
}
