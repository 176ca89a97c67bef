// The first conversion with the defaults, on POSIX, where the defaults lie in the home folder
// ($HOME, which the test points elsewhere): the default post folder is made by the run that
// first writes into it, open as the user's folders are; a folder the user chose is never made.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "base/default_paths.h"
#include "core/conversion_engine.h"
#include "tests/support/guards.h"
#include "tests/support/recording_observer.h"
#include "tests/support/run_folder.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

class FirstStart : public ::testing::Test {
 protected:
  FirstStart() {
    testing::PrepareRunFolder(folder.Path());
    observer.SiteAnswers = {"512"};
    request.WriteTextFiles = false;
  }

  testing::TempFolder home;
  testing::EnvironmentVariable homeVariable{"HOME", home.Path().c_str()};
  testing::TempFolder folder;
  ConversionRequest request = testing::RequestAt(folder.Path());
  testing::RecordingObserver observer;
  ConversionEngine engine;
};

TEST_F(FirstStart, TheDefaultPostFolderIsMadeByTheFirstRun) {
  request.PostFolder = DefaultPostFolder();
  ASSERT_EQ(request.PostFolder, home / "Velko");
  mode_t before = ::umask(022);
  ConversionResult result = engine.Convert(request, observer);
  ::umask(before);
  EXPECT_TRUE(observer.Reports.empty()) << observer.ReportTexts()[0];
  EXPECT_TRUE(result.ReachedEndOfData);
  EXPECT_EQ(testing::NamesIn(home / "Velko").size(), 2u);
  struct stat info {};
  ASSERT_EQ(::stat((home / "Velko").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
}

TEST_F(FirstStart, AFolderTheUserChoseIsNotMade) {
  request.PostFolder = home / "Chosen";
  engine.Convert(request, observer);
  ASSERT_FALSE(observer.Reports.empty());
  EXPECT_NE(observer.ReportTexts()[0].find("ExportPostFile: " + (home / "Chosen")),
            std::string::npos)
      << observer.ReportTexts()[0];
  EXPECT_FALSE(testing::Exists(home / "Chosen"));
}

}  // namespace
}  // namespace tolvanex
