// The routines a conversion runs for every line, one by one.
#include <benchmark/benchmark.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "core/line_analysis.h"
#include "core/post_writer.h"
#include "core/text_writer.h"
#include "formats/date_pattern.h"
#include "formats/date_value.h"
#include "formats/line_splitter.h"
#include "formats/number_text.h"
#include "system/regional_settings.h"
#include "tests/support/quiet_observer.h"

namespace tolvanex {
namespace {

constexpr std::string_view kLine =
    "\"1037\",\"2\",\"14 Jul 2023 22:55\",S1044,0.7,12.394,0,1.5,10.991,0,2.5,9.891,0,3.5,"
    "-7.143,0,4.5,330,0,5.5,1.4737593,0,6.5,14.0482,0,7.5,0.5061,0,8.5,367.37,0,9.5,43.91,0,"
    "10.5,-58613.83,0,11.5,7.51,0";

// A conversion in hand with the default date pattern and English regional settings, writing text
// files into the folder given.
struct Run {
  ConversionRequest request;
  testing::QuietObserver observer;
  EngineSession session;
  Conversion conversion{request, observer, session};
  explicit Run(const std::string& folder = "") {
    request.WriteTextFiles = true;
    request.TextFolder = folder;
    request.Extension = "txt";
    request.DatePattern = "d mmm yyyy HH:MM";
    request.Regional = EnglishRegionalSettings();
    request.CurrentYear = 2023;
  }
};

void LineAnalysis(benchmark::State& state) {
  Run run;
  for (auto _ : state) {
    benchmark::DoNotOptimize(AnalyseLine(run.conversion, kLine));
    ClearReading(run.conversion);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLine.size()));
}
BENCHMARK(LineAnalysis);

void DateReading(benchmark::State& state) {
  RegionalSettings regional = EnglishRegionalSettings();
  for (auto _ : state) benchmark::DoNotOptimize(ParseDateTime("14 Jul 2023 22:55", regional, 2023));
}
BENCHMARK(DateReading);

void DateFormatting(benchmark::State& state) {
  RegionalSettings regional = EnglishRegionalSettings();
  DatePattern pattern("d mmm yyyy HH:MM");
  std::string out;
  for (auto _ : state) {
    out.clear();
    pattern.AppendTo(out, 45121.9548611111, regional);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(DateFormatting);

void GeneralFormOfAReadValue(benchmark::State& state) {
  KnownDigits digits;
  double value = ReadFieldNumber("10.991", &digits);
  std::string out;
  for (auto _ : state) {
    out.clear();
    AppendGeneralForm(out, value, &digits);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(GeneralFormOfAReadValue);

void GeneralFormOfAComputedValue(benchmark::State& state) {
  std::string out;
  double value = 45121.9548611111;
  for (auto _ : state) {
    out.clear();
    AppendGeneralForm(out, value);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(GeneralFormOfAComputedValue);

void PostReadingLine(benchmark::State& state) {
  Run run;
  AnalyseLine(run.conversion, kLine);
  std::string line;
  for (auto _ : state) {
    line.clear();
    AppendPostReadingLine(run.session.Reading, run.session.Run.ReadingTimeDigits, 4105, line);
    benchmark::DoNotOptimize(line.data());
  }
}
BENCHMARK(PostReadingLine);

// The least a line's numbers cost with the standard library's own exact routines, for the
// profile's comparison: each of the line's value fields read with std::from_chars, and each
// value and the day count written back in their shortest form, once for each of the two outputs.
std::vector<std::string_view> ValueFields() {
  std::vector<std::string_view> fields;
  SplitFields(kLine, fields);
  std::vector<std::string_view> values;
  for (std::size_t k = 5; k < fields.size(); k += 3) values.push_back(fields[k]);
  return values;
}

void LibraryReadingOfALinesValues(benchmark::State& state) {
  std::vector<std::string_view> fields = ValueFields();
  for (auto _ : state) {
    for (std::string_view field : fields) {
      double value = 0;
      std::from_chars(field.data(), field.data() + field.size(), value);
      benchmark::DoNotOptimize(value);
    }
  }
}
BENCHMARK(LibraryReadingOfALinesValues);

void LibraryWritingOfALinesValues(benchmark::State& state) {
  std::vector<double> values;
  for (std::string_view field : ValueFields()) {
    double value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    values.push_back(value);
  }
  values.push_back(45121.9548611111);
  char text[32];
  for (auto _ : state) {
    for (int output = 0; output < 2; ++output) {
      for (double value : values) {
        benchmark::DoNotOptimize(std::to_chars(text, text + sizeof text, value).ptr);
      }
    }
  }
}
BENCHMARK(LibraryWritingOfALinesValues);

// One reading a minute for one pair, its file kept open as in a run.
void TextWriterPerReading(benchmark::State& state) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / ("tolvanex-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  Run run(folder.string());
  AnalyseLine(run.conversion, kLine);
  double time = run.session.Reading.ReadingTime;
  for (auto _ : state) {
    time += 1 / 1440.0;
    run.session.Reading.ReadingTime = time;
    benchmark::DoNotOptimize(WriteToTextFile(run.conversion));
  }
  CloseTextFiles(run.conversion);
  fs::remove_all(folder);
}
BENCHMARK(TextWriterPerReading);

}  // namespace
}  // namespace tolvanex

BENCHMARK_MAIN();
