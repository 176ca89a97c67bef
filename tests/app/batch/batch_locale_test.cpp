#include <gtest/gtest.h>
#include <locale.h>

#include <filesystem>
#include <map>
#include <string>

#include "system/regional.h"
#include "tests/app/batch/batch_fixture.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

bool LocaleAvailable(const char* name) {
  locale_t locale = ::newlocale(LC_ALL_MASK, name, nullptr);
  if (locale == nullptr) return false;
  ::freelocale(locale);
  return true;
}

std::map<std::string, std::string> FilesIn(const std::string& path) {
  std::map<std::string, std::string> files;
  for (const std::string& name : testing::NamesIn(path)) {
    files[name] = testing::ReadFile(path + "/" + name);
  }
  return files;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A logger that writes English month names, converted on desktops in other languages.
class EnglishMonthNames : public BatchFolder, public ::testing::WithParamInterface<const char*> {
 protected:
  // Converts the data file under the locale into folders of its own; the exit status.
  int ConvertUnder(const std::string& locale, const std::string& data) {
    fs::create_directories(folder / (locale + "/post"));
    fs::create_directories(folder / (locale + "/text"));
    fs::copy_file(kRunData + "/sites.lkp", folder / (locale + "/sites.lkp"));
    auto result = Run({"--post-folder", folder / (locale + "/post"), "--output-folder",
                       folder / (locale + "/text"), "--lookup", folder / (locale + "/sites.lkp"),
                       "--date-format", "yyyy-mm-dd HH:MM", data},
                      "512\n", {{"LC_ALL", locale}});
    EXPECT_EQ(result.Err, "88 / 1 needs a site number [9999]: ") << locale;
    return result.ExitStatus;
  }
};

TEST_P(EnglishMonthNames, GiveTheSameFilesAsInTheCLocale) {
  const char* locale = GetParam();
  if (!LocaleAvailable(locale)) GTEST_SKIP() << locale << " is not installed";
  // October, whose abbreviation differs in both languages, and a full month name.
  std::string data =
      DataFile("october.dat",
               Replaced(Replaced(testing::ReadFile(kRunData + "/data.dat"), "14 Jul", "14 Oct"),
                        "15 Jul", "15 October"));
  ASSERT_EQ(ConvertUnder("C", data), 0);
  ASSERT_EQ(ConvertUnder(locale, data), 0);

  EXPECT_EQ(FilesIn(folder / (std::string(locale) + "/text")), FilesIn(folder / "C/text"));
  EXPECT_EQ(testing::ReadFile(folder / (std::string(locale) + "/sites.lkp")),
            testing::ReadFile(folder / "C/sites.lkp"));
  // Post files are named with the locale's abbreviation of the month.
  std::string october = RegionalSettingsFromLocale(locale).MonthAbbreviations[9];
  std::map<std::string, std::string> expected;
  for (const auto& [name, content] : FilesIn(folder / "C/post")) {
    expected[Replaced(name, "Oct", october)] = content;
  }
  EXPECT_EQ(expected.size(), 2u);
  EXPECT_EQ(FilesIn(folder / (std::string(locale) + "/post")), expected);
}

INSTANTIATE_TEST_SUITE_P(Locales, EnglishMonthNames,
                         ::testing::Values("de_DE.UTF-8", "sv_SE.UTF-8"));

}  // namespace
}  // namespace tolvanex
