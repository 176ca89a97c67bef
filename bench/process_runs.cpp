#include "process_runs.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace bench {

namespace {

namespace fs = std::filesystem;

// In a folder that never held a file: the output folders, a copy of the lookup file, a settings
// file.
std::string Prepare(const std::string& work, const std::string& data, const std::string& lookup,
                    const Mode& mode) {
  fs::create_directory(work + "/post");
  fs::create_directory(work + "/text");
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
  // What earlier runs left to write back is written now, outside the timing: a run that writes
  // back a whole file system (many text files) would otherwise wait for all of it.
  ::sync();
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

}  // namespace

Options ReadOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
  return options;
}

Timing RunOnce(const Options& options, RunFolders& folders, const std::string& data,
               const std::string& lookup, const Mode& mode, bool window) {
  std::string ini = Prepare(folders.Fresh(), data, lookup, mode);
  std::vector<std::string> command =
      window ? std::vector<std::string>{options.at("--window"), "--settings", ini,
                                        "--process-and-exit"}
             : std::vector<std::string>{options.at("--batch"), "--quiet", "--settings", ini};
  Timing timing = Run(command, window);
  folders.ForgetLast();
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

std::vector<Timing> Interleaved(const std::vector<std::function<Timing()>>& runs, int rounds) {
  std::vector<std::vector<Timing>> timings(runs.size());
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < runs.size(); ++i) {
      std::size_t which = (i + static_cast<std::size_t>(round)) % runs.size();
      timings[which].push_back(runs[which]());
    }
  }
  std::vector<Timing> medians;
  for (auto& one : timings) medians.push_back(Median(std::move(one)));
  return medians;
}

}  // namespace bench
