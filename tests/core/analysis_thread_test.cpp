// The data file read and analysed on a thread of its own gives exactly what one thread gives: the
// same files, byte for byte, and the same calls to the observer in the same order.
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis_thread.h"
#include "core/conversion_engine.h"
#include "tests/support/recording_observer.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

// Everything the engine tells, in one list, with the run's folder left out of the texts.
class EventLog : public RunObserver {
 public:
  EventLog(std::string folder, int stopAtLook, int cancelAtAsk)
      : folder_(std::move(folder)), stopAt_(stopAtLook), cancelAt_(cancelAtAsk) {}

  std::vector<std::string> Events;

  std::string AskSiteNumber(std::string_view id1, std::string_view id2,
                            const std::string& prompt) override {
    Add("ask " + std::string(id1) + "/" + std::string(id2) + " " + prompt);
    ++asked_;
    // Some answers are no number.
    if (asked_ == cancelAt_) return "";
    return asked_ % 5 == 0 ? "x" : std::to_string(100 + asked_);
  }
  void Tell(const std::string& text) override { Add("tell " + text); }
  void Report(const tolvanex::Report& report) override {
    Add("report " + report.Description + " | " + report.Label);
  }
  void Note(const std::string& text) override { Add("note " + text); }
  bool StopRequested() override { return ++looks_ == stopAt_; }
  void Progress(const RunProgress& p) override {
    Add("progress " + std::to_string(p.BytesRead) + " " + std::to_string(p.ReadingsWritten) + " " +
        std::to_string(p.ReadingsPosted));
  }
  bool StatusWanted() override { return ++wanted_ % 7 == 0; }
  void Status(std::string_view text) override { Add("status " + std::string(text)); }
  void PostFileNamed(const std::string& path) override { Add("post " + path); }
  void TextFileUsed(const std::string& name) override { Add("text " + name); }

 private:
  void Add(std::string event) {
    for (std::size_t at; (at = event.find(folder_)) != std::string::npos;) {
      event.replace(at, folder_.size(), "<run>");
    }
    Events.push_back(std::move(event));
  }
  std::string folder_;
  int stopAt_;
  int cancelAt_;
  int looks_ = 0;
  int wanted_ = 0;
  int asked_ = 0;
};

// Lines of every kind a logger's file may hold: readings of many pairs and SNs, headers, blank
// and short lines, dates and values that do not read, numbers out of range, a line longer than a
// batch holds, and lines ended by CR LF, CR or LF.
std::string RandomDataFile(unsigned seed) {
  std::mt19937 random(seed);
  auto pick = [&random](int n) { return static_cast<int>(random() % n); };
  const char* values[] = {"12.5", "-0012.3400", "+.5", "7", "1.5E3", "abc", "", "1e400", "0"};
  const char* dates[] = {"14 Jul 2023 09:05", "15/07/2023 10:00", "2023-07-16 23:59", "soon"};
  const char* ends[] = {"\r\n", "\r", "\n"};
  std::string data;
  for (int i = 0; i < 3000; ++i) {
    int kind = pick(40);
    if (kind == 0) {
      data += "ID1,ID2,Date,SN,Level,Value";
    } else if (kind == 1) {
      data += "short";
    } else if (i % 500 == 250) {
      data += std::string(100000, 'x');
    } else if (kind != 3) {
      data += "\" " + std::to_string(pick(30)) + "\"," + std::to_string(pick(3)) + ",";
      data += dates[pick(40) == 0 ? 3 : pick(3)];
      data += ",S" + std::to_string(i / 500);
      for (int group = 0, groups = 2 + pick(10); group < groups; ++group) {
        data += "," + std::to_string(pick(12)) + ".5," + values[pick(60) / 7] + ",x";
      }
    }
    data += ends[pick(3)];
  }
  return data;
}

struct RunRecord {
  std::vector<std::string> Events;
  std::vector<std::pair<std::string, std::string>> Files;  // name and bytes
};

struct Case {
  int StopAt = -1;
  int CancelAt = -1;
  bool Post = true;
  bool Text = true;
};

RunRecord ConvertWith(bool ahead, const std::string& data, const Case& c) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "data.dat", data);
  testing::WriteFile(folder / "sites.lkp", "\"0\",\"0\",\"1\"\r\n");
  for (const char* sub : {"post", "text"}) std::filesystem::create_directories(folder / sub);
  ConversionRequest request = testing::RequestAt(folder.Path());
  request.WritePostFiles = c.Post;
  request.WriteTextFiles = c.Text;
  EventLog log(folder.Path(), c.StopAt, c.CancelAt);
  ConversionEngine engine;
  engine.AnalyseAhead(ahead);
  ConversionResult result = engine.Convert(request, log);
  RunRecord record{std::move(log.Events), {}};
  record.Events.push_back("end " + result.Status + (result.ReachedEndOfData ? " whole" : ""));
  for (std::string sub : {"", "post/", "text/"}) {
    for (const std::string& name : testing::NamesIn(sub.empty() ? folder.Path() : folder / sub)) {
      std::string path = folder / (sub + name);
      if (std::filesystem::is_directory(path)) continue;
      record.Files.emplace_back(sub + name, testing::ReadFile(path));
    }
  }
  return record;
}

TEST(AnalysisAhead, GivesTheFilesAndTheObserversCallsOfOneThread) {
  // Through the whole file, stopped in the middle of a batch, ended by a cancelled prompt, and
  // with one writer only.
  for (Case c : {Case{}, Case{1000, -1}, Case{-1, 60}, Case{-1, -1, true, false},
                 Case{-1, -1, false, true}}) {
    for (unsigned seed = 1; seed <= 2; ++seed) {
      std::string data = RandomDataFile(seed);
      RunRecord here = ConvertWith(false, data, c);
      RunRecord ahead = ConvertWith(true, data, c);
      ASSERT_GT(here.Events.size(), 300u);
      std::string what = "seed " + std::to_string(seed) + ", stop " + std::to_string(c.StopAt) +
                         ", cancel " + std::to_string(c.CancelAt) + ", post " +
                         std::to_string(c.Post) + ", text " + std::to_string(c.Text);
      EXPECT_EQ(ahead.Events, here.Events) << what;
      EXPECT_EQ(ahead.Files, here.Files) << what;
    }
  }
}

}  // namespace
}  // namespace tolvanex
