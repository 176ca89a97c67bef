#include "model/text_file_cache.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "core/text_writer.h"
#include "system/path_syntax.h"
#include "tests/core/writer_fixture.h"
#include "tests/support/disk_full.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

// The same readings written twice: once as runs of one reading each, closing the file after
// every reading, and once as a single run that keeps the files open. The files must come out
// the same, byte for byte.
class KeptOpenFiles : public ::testing::Test {
 protected:
  struct Reading {
    std::string Id1;
    double Time;
    std::string SN;
  };

  // TOLVANEX_TEST_DIVISOR=n runs the comparisons with an n-th of the readings and pairs: under
  // Wine, where opening a file costs a hundred times what it costs on Linux, the whole count
  // would take minutes. The pairs never drop below what makes files close to make room.
  static int Scaled(int count) {
    const char* divisor = std::getenv("TOLVANEX_TEST_DIVISOR");
    int n = divisor != nullptr ? std::atoi(divisor) : 1;
    return n > 1 ? std::max(count / n, 1) : count;
  }

  static std::vector<Reading> RandomReadings(std::uint64_t seed, int count, int pairs = 3) {
    count = Scaled(count);
    pairs = std::max(Scaled(pairs), std::min(pairs, 41));
    std::mt19937_64 random(seed);
    std::vector<Reading> readings;
    double time = testing::k14July2023At0905;
    for (int n = 0; n < count; ++n) {
      // Mostly a minute on, sometimes the same minute, seconds on, or back in time.
      switch (random() % 6) {
        case 0:
          break;
        case 1:
          time += 30 * testing::kOneSecond;
          break;
        case 2:
          time -= 1 / 24.0;
          break;
        default:
          time += 1 / 1440.0;
          break;
      }
      std::string sn = random() % 10 == 0 ? "S\nx" : "S" + std::to_string(random() % 3);
      readings.push_back({std::to_string(100 + random() % pairs), time, sn});
    }
    return readings;
  }

  static void Set(auto& writer, const Reading& reading) {
    writer.SetReading(reading.Time, reading.SN, reading.Id1);
  }

  static std::map<std::string, std::string> FilesIn(const testing::TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      std::string name = entry.path().filename().string();
      if (name != "sites.lkp") files[name] = testing::ReadFile(entry.path().string());
    }
    return files;
  }

  // Runs the readings both ways over folders prepared alike; returns the folders' files.
  void ExpectSameFiles(const std::vector<Reading>& readings, const std::string& pattern,
                       const std::function<void(const testing::TempFolder&)>& prepare = {}) {
    closing.request.DatePattern = pattern;
    keeping.request.DatePattern = pattern;
    if (prepare) {
      prepare(closing.folder);
      prepare(keeping.folder);
    }
    for (const Reading& reading : readings) {
      Set(closing, reading);
      ASSERT_TRUE(WriteToTextFile(closing.conversion));
      ASSERT_TRUE(CloseTextFiles(closing.conversion));
      Set(keeping, reading);
      ASSERT_TRUE(WriteToTextFile(keeping.conversion));
    }
    ASSERT_TRUE(CloseTextFiles(keeping.conversion));
    EXPECT_EQ(FilesIn(keeping.folder), FilesIn(closing.folder)) << pattern;
    EXPECT_EQ(keeping.session.Run.ReadingsPosted, closing.session.Run.ReadingsPosted);
    EXPECT_EQ(keeping.observer.TextFileUses, closing.observer.TextFileUses);
  }

  // A writer's set-up, used from outside.
  struct Writer : testing::WriterTest {
    using WriterTest::conversion;
    using WriterTest::folder;
    using WriterTest::observer;
    using WriterTest::request;
    using WriterTest::session;
    using WriterTest::SetReading;
    void TestBody() override {}
  };
  Writer closing;
  Writer keeping;
};

TEST_F(KeptOpenFiles, GiveTheBytesOfClosingAfterEveryReading) {
  for (const char* pattern : {"d mmm yyyy HH:MM", "yyyy-mm-dd HH:MM", "m/d/yyyy HH:MM",
                              "d/m/yyyy HH:MM", "mmm d, yyyy HH:MM", "HH:MM", "yymmdd"}) {
    closing.session.Run = {};
    keeping.session.Run = {};
    for (auto& folder : {&closing.folder, &keeping.folder}) {
      for (const auto& entry : fs::directory_iterator(folder->Path())) {
        if (entry.path().filename() != "sites.lkp") fs::remove(entry.path());
      }
    }
    ExpectSameFiles(RandomReadings(std::hash<std::string>{}(pattern), 400), pattern);
  }
}

TEST_F(KeptOpenFiles, StartFromWhatTheFilesHeldBefore) {
  ExpectSameFiles(RandomReadings(3, 300), "d mmm yyyy HH:MM", [](const testing::TempFolder& f) {
    testing::WriteFile(f / "100_4.txt", "Date, SN \r\n14 Jul 2023 10:00, old \r\n");
    testing::WriteFile(f / "101_4.txt", "0123456789");  // short: written anew
    testing::WriteFile(f / "102_4.txt", "no date here, at all \n");
  });
}

TEST_F(KeptOpenFiles, NoticeOneFileUnderTwoNames) {
  ExpectSameFiles(RandomReadings(5, 300), "d mmm yyyy HH:MM", [](const testing::TempFolder& f) {
    testing::WriteFile(f / "100_4.txt", "Date, SN \r\n");
    std::filesystem::create_hard_link(f / "100_4.txt", f / "101_4.txt");
  });
}

// More pairs than may be open: the files used longest ago are closed and opened again, and the
// bytes are still those of closing after every reading.
TEST_F(KeptOpenFiles, ThousandsOfPairsWithFilesClosedToMakeRoomGiveTheSameBytes) {
  keeping.session.Run.TextFiles.SetMostOpen(40);
  ExpectSameFiles(RandomReadings(7, 6000, 1500), "d mmm yyyy HH:MM");
  ExpectSameFiles(RandomReadings(8, 3000, 41), "yymmdd");
}

TEST_F(KeptOpenFiles, AFileChangedByAnotherProgramWhileClosedIsReadAgain) {
  auto& files = keeping.session.Run.TextFiles;
  files.SetMostOpen(1);
  Set(keeping, {"100", testing::k14July2023At0905, "S"});
  ASSERT_TRUE(WriteToTextFile(keeping.conversion));
  Set(keeping, {"101", testing::k14July2023At0905, "S"});
  ASSERT_TRUE(WriteToTextFile(keeping.conversion));  // closes 100_4.txt to make room
  EXPECT_EQ(files.OpenCount(), 1u);
  std::string path = keeping.folder / "100_4.txt";
  std::string before = testing::ReadFile(path);
  testing::WriteFile(path, before + "14 Jul 2023 12:00, edited \r\n");  // size and time change
  Set(keeping, {"100", testing::k14July2023At0905 + 1 / 24.0, "S"});    // 10:05: older now
  ASSERT_TRUE(WriteToTextFile(keeping.conversion));
  ASSERT_TRUE(CloseTextFiles(keeping.conversion));
  EXPECT_EQ(testing::ReadFile(path), before + "14 Jul 2023 12:00, edited \r\n");
  EXPECT_EQ(files.Tallies().at(path).Skipped, 1);
  EXPECT_EQ(files.Tallies().at(path).Appended, 1);
}

// New files are added without a look at their identity; a link to one is still found.
TEST(TextFileCache, ClosesTheFileUsedLongestAgoAndOneThatHoldsTheSameFile) {
  testing::TempFolder folder;
  TextFileCache files;
  files.SetMostOpen(2);
  std::string failed;
  for (const char* name : {"a", "b", "c"}) {
    files.MakeRoom(failed);
    io::OutputFile file(io::CreateNewFile(folder / name), 0);
    file.WriteLine(name);
    files.Add(folder / name, std::move(file), 0.0);
    if (std::string(name) == "b") files.Find(folder / "a");  // a used again: b is oldest
  }
  EXPECT_NE(files.Find(folder / "a"), nullptr);
  EXPECT_EQ(files.Find(folder / "b"), nullptr);
  EXPECT_EQ(testing::ReadFile(folder / "b"), "b\r\n");  // flushed when closed
  std::filesystem::create_hard_link(folder / "a", folder / "alias");
  EXPECT_FALSE(files.CloseOtherNameOf(folder / "a", *io::IdentityOf(folder / "a"), failed));
  EXPECT_TRUE(files.CloseOtherNameOf(folder / "alias", *io::IdentityOf(folder / "alias"), failed));
  EXPECT_EQ(files.Find(folder / "a"), nullptr);
  EXPECT_EQ(testing::ReadFile(folder / "alias"), "a\r\n");
  files.CloseAll(failed);
  EXPECT_EQ(files.OpenCount(), 0u);
  EXPECT_EQ(testing::ReadFile(folder / "c"), "c\r\n");
}

// Whatever the number of files, their buffers together stay near the budget.
TEST(TextFileCache, ManyFilesShareABoundedBuffer) {
  constexpr int kFiles = 2000;
  testing::TempFolder folder;
  TextFileCache files;
  std::string line(100, 'x');
  for (int n = 0; n < kFiles; ++n) {
    std::string path = folder / std::to_string(n);
    files.Add(path, io::OutputFile(io::CreateNewFile(path)), 0.0).File.WriteLine(line);
  }
  std::uint64_t buffered = 0;
  std::uint64_t memory = 0;
  for (int n = 0; n < kFiles; ++n) {
    OpenTextFile* open = files.Find(folder / std::to_string(n));
    std::size_t most = 0;
    for (int i = 0; i < 30; ++i) {
      open->File.WriteLine(line);
      most = std::max(most, open->File.BufferMemory());
    }
    buffered += open->File.Size() - open->File.Handle().State().Size;
    memory += most;
  }
  // Each file holds back at most its share and one line, in the memory of its share and room
  // for a line (a buffer that doubled at every growth would take up to twice its share).
  EXPECT_LE(buffered, TextFileCache::kBufferBudget * 8 / 7 + kFiles * 102);
  EXPECT_GT(buffered, 0u);
  EXPECT_LE(memory, TextFileCache::kBufferBudget * 8 / 7 + kFiles * io::OutputFile::kRoomForALine);
}  // the files are flushed as they close, without being written back to the disk

}  // namespace
}  // namespace tolvanex

namespace tolvanex {
namespace {

// A few files are written back one by one, many together with their folder: a failure names
// the file, or the folder.
TEST(TextFileCache, AFailedWriteBackNamesTheFileOrForManyTheFolder) {
  for (int count : {3, static_cast<int>(TextFileCache::kWrittenBackOneByOne) + 1}) {
    testing::TempFolder folder;
    TextFileCache files;
    for (int n = 0; n < count; ++n) {
      std::string path = folder / std::to_string(n);
      files.Add(path, io::OutputFile(io::CreateNewFile(path)), 0.0).File.WriteLine("x");
    }
    std::string failed;
    testing::FailingFiles failing([](io::FileOperation operation, const std::string&) {
      return operation == io::FileOperation::Sync ? EIO : 0;
    });
    EXPECT_THROW(files.CloseAll(failed), std::system_error);
    if (count == 3) {
      EXPECT_TRUE(failed.starts_with(folder.Path() + kPathSeparator))
          << failed;  // one of the files
    } else {
      EXPECT_EQ(failed, folder.Path());
    }
    EXPECT_EQ(files.OpenCount(), 0u);
    EXPECT_EQ(testing::ReadFile(folder / "0"), "x\r\n");  // flushed all the same
  }
}

}  // namespace
}  // namespace tolvanex
