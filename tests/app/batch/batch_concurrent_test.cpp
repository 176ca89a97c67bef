// Two batch commands at once over one set of folders, as a scheduled job and a user's run meet:
// the second waits for the first and says so, and the folders end up exactly as after the two
// runs one after the other.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/batch/batch_fixture.h"
#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

// The batch command running in the background with its input given at the start.
class Background {
 public:
  Background(const std::vector<std::string>& arguments, const std::string& input,
             const std::string& errFile) {
    int in[2];
    EXPECT_EQ(::pipe(in), 0);
    child_ = ::fork();
    if (child_ == 0) {
      ::dup2(in[0], STDIN_FILENO);
      ::close(in[0]);
      ::close(in[1]);
      int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
      ::dup2(err, STDERR_FILENO);
      int out = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
      ::dup2(out, STDOUT_FILENO);
      std::vector<char*> argv{const_cast<char*>(TOLVANEX_BATCH)};
      for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      ::setenv("LC_ALL", "C", 1);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    (void)!::write(in[1], input.data(), input.size());
    ::close(in[1]);
  }
  // Once it has ended, its status is kept for Wait.
  bool Running() {
    if (child_ <= 0) return false;
    if (::waitpid(child_, &status_, WNOHANG) == 0) return true;
    child_ = -1;
    return false;
  }
  int Wait() {
    if (child_ > 0 && ::waitpid(child_, &status_, 0) != child_) return -1;
    child_ = -1;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
  }

 private:
  pid_t child_ = -1;
  int status_ = 0;
};

// True while a run holds the folder's lock.
bool Locked(const std::string& folder) {
  int fd = ::open((folder + "/.tolvanex.lock").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

struct Job {
  std::string Data;
  std::string Answers;
};

// Pairs the lookup file lacks, from first to last: "<prefix>1" / 1 to "<prefix><count>" / 1,
// three readings each; their answers are number + 1, number + 2, ...
Job NewPairs(const std::string& prefix, int count, int number) {
  Job job;
  for (int reading = 0; reading < 3; ++reading) {
    for (int pair = 1; pair <= count; ++pair) {
      job.Data += "\"" + prefix + std::to_string(pair) + "\",\"1\",\"20 Jul 2023 0" +
                  std::to_string(reading) + ":00\",S1,0.7," + std::to_string(pair) + ",0\r\n";
    }
  }
  for (int pair = 1; pair <= count; ++pair) job.Answers += std::to_string(number + pair) + "\n";
  return job;
}

class BatchConcurrent : public ::testing::Test {
 protected:
  // A folder with both outputs, the lookup file of the large data and the two data files.
  static std::string Prepare(const testing::TempFolder& folder, const Job& first,
                             const Job& second) {
    fs::create_directory(folder / "post");
    fs::create_directory(folder / "text");
    testing::WriteFile(folder / "sites.lkp", LargeLookupFile(21));
    testing::WriteFile(folder / "first.dat", first.Data);
    testing::WriteFile(folder / "second.dat", second.Data);
    testing::WriteFile(folder / "tolvanex.ini",
                       "[General]\r\nOutputPostFile=1\r\nPostFolder=" + (folder / "post") +
                           "\r\nLookupFile=" + (folder / "sites.lkp") +
                           "\r\nSortLookup=1\r\nOutputTextFile=1\r\nExtension=txt\r\n"
                           "OutputFolder=" +
                           (folder / "text") + "\r\nDateFormat=d mmm yyyy HH:MM\r\n");
    return folder / "tolvanex.ini";
  }

  // What the folders hold that a user sees: the files of both outputs and the lookup file.
  static std::map<std::string, std::string> Outcome(const testing::TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const char* kind : {"post", "text"}) {
      for (const std::string& name : testing::NamesIn(folder / kind)) {
        files[std::string(kind) + "/" + name] = testing::ReadFile(folder / (kind + ("/" + name)));
      }
    }
    files["sites.lkp"] = testing::ReadFile(folder / "sites.lkp");
    return files;
  }

  void ExpectAsOneAfterTheOther(const Job& first, const Job& second, const char* what) {
    testing::TempFolder reference;
    std::string settings = Prepare(reference, first, second);
    for (const auto& [data, answers] :
         {std::pair{"first.dat", first.Answers}, std::pair{"second.dat", second.Answers}}) {
      auto run =
          testing::RunProcess(TOLVANEX_BATCH, {"--quiet", "--settings", settings, reference / data},
                              answers, {{"LC_ALL", "C"}});
      ASSERT_EQ(run.ExitStatus, 0) << what << run.Err;
    }

    for (int repeat = 0; repeat < 2; ++repeat) {
      testing::TempFolder folder;
      settings = Prepare(folder, first, second);
      Background one({"--quiet", "--settings", settings, folder / "first.dat"}, first.Answers,
                     folder / "first.err");
      // The second starts once the first holds the folders, or has finished with them.
      while (!Locked(folder / "text") && one.Running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      Background two({"--quiet", "--settings", settings, folder / "second.dat"}, second.Answers,
                     folder / "second.err");
      EXPECT_EQ(one.Wait(), 0) << what << testing::ReadFile(folder / "first.err");
      EXPECT_EQ(two.Wait(), 0) << what << testing::ReadFile(folder / "second.err");
      EXPECT_EQ(Outcome(folder), Outcome(reference)) << what;
    }
  }
};

TEST_F(BatchConcurrent, TwoRunsOverOneSetOfFoldersGiveWhatTheyGiveOneAfterTheOther) {
  const std::string large = LargeDataFile(30000);
  const auto middle = large.find('\n', large.size() / 2) + 1;
  const std::string header = large.substr(0, large.find('\n') + 1);
  ExpectAsOneAfterTheOther({large, ""}, {large, ""}, "the same data twice");
  ExpectAsOneAfterTheOther({large.substr(0, middle), ""}, {header + large.substr(middle), ""},
                           "the two halves of one file");
  ExpectAsOneAfterTheOther({large, ""}, {LargeDataFile(3000).substr(header.size()), ""},
                           "other data into the same folders");
  ExpectAsOneAfterTheOther(NewPairs("A", 50, 1000), NewPairs("B", 50, 2000),
                           "each meeting 50 new pairs");
}

TEST_F(BatchConcurrent, TheSecondRunSaysThatItWaitsOrGivesUpAtOnce) {
  testing::TempFolder folder;
  std::string settings = Prepare(folder, {LargeDataFile(100), ""}, {"", ""});
  int lock = ::open((folder / "post/.tolvanex.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);

  auto gaveUp = testing::RunProcess(
      TOLVANEX_BATCH, {"--quiet", "--no-wait", "--settings", settings, folder / "first.dat"});
  EXPECT_EQ(gaveUp.ExitStatus, 1);
  EXPECT_EQ(gaveUp.Err, "Another run is writing to " + (folder / "post") +
                            "\nTolvanex:DoExport: " + (folder / "first.dat") + "\n");
  EXPECT_TRUE(testing::NamesIn(folder / "text").empty());

  Background waiting({"--quiet", "--settings", settings, folder / "first.dat"}, "",
                     folder / "waiting.err");
  // Until the run has said that it waits (a loaded machine may take long to start it).
  auto told = [&folder] {
    return testing::Exists(folder / "waiting.err") &&
           !testing::ReadFile(folder / "waiting.err").empty();
  };
  for (int i = 0; i < 600 && !told(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(waiting.Running());
  ::close(lock);  // the other run ends
  EXPECT_EQ(waiting.Wait(), 0);
  EXPECT_EQ(testing::ReadFile(folder / "waiting.err"),
            "Waiting for another run to finish with " + (folder / "post") + "\n");
  EXPECT_EQ(testing::NamesIn(folder / "text").size(), 21u);
}

}  // namespace
}  // namespace tolvanex
