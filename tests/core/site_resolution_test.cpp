#include "core/site_resolution.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion.h"
#include "tests/support/german_settings.h"
#include "tests/support/recording_observer.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using Texts = std::vector<std::string>;

const std::string kHeader = "ID1, ID2, SiteID\r\n";
const std::string kMustBe = "Must be a site number";

// A stored SiteID, or an answer typed at the prompt, and what it must give: a site number, or the
// description of the failure.
struct NumberCase {
  const char* Text;
  std::optional<std::int32_t> Number;
  const char* Description = "";
};

// Keeps the pair each prompt was for as well.
class PromptingObserver : public testing::RecordingObserver {
 public:
  std::vector<std::string> PromptPairs;  // "ID1 / ID2"

  std::string AskSiteNumber(std::string_view id1, std::string_view id2,
                            const std::string& prompt) override {
    PromptPairs.push_back(std::string(id1) + " / " + std::string(id2));
    return RecordingObserver::AskSiteNumber(id1, id2, prompt);
  }
};

class SiteResolution : public ::testing::Test {
 protected:
  SiteResolution() {
    request.LookupFile = path;
    request.SortLookup = false;
    Reading("2031", "7");
  }

  void Reading(std::string id1, std::string id2) {
    conversion.Reading.KeepFields({std::move(id1), std::move(id2), "05/03/2023 09:05", "1"});
  }
  void UseGermanSettings() { request.Regional = testing::GermanRegionalSettings(); }
  // FindSiteNumber's result, with the number only when it reports one.
  std::optional<std::int32_t> Resolve(std::int32_t start = 0) {
    siteNumber = start;
    if (!FindSiteNumber(conversion, siteNumber)) return std::nullopt;
    return siteNumber;
  }
  // What the user was shown: the messages told, then the reports.
  Texts Messages() const {
    Texts messages = observer.Told;
    for (const std::string& report : observer.ReportTexts()) messages.push_back(report);
    return messages;
  }
  void ClearMessages() {
    observer.Told.clear();
    observer.Reports.clear();
  }

  void ExpectStoredSiteIDs(const std::vector<NumberCase>& cases) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.Text);
      testing::WriteFile(path, kHeader + "2031, 7, " + c.Text + "\r\n");
      session.Lookup.Loaded = false;
      ClearMessages();
      if (c.Number) {
        EXPECT_EQ(Resolve(), c.Number);
        EXPECT_TRUE(Messages().empty());
      } else {
        // The report names the argument as the caller passed it, and recurs each time.
        EXPECT_EQ(Resolve(77), std::nullopt);
        EXPECT_EQ(Resolve(77), std::nullopt);
        EXPECT_EQ(Messages(), Texts(2, std::string(c.Description) + "\r\nTolvanex:GetSiteID: 77"));
      }
      EXPECT_TRUE(observer.Prompts.empty());
      EXPECT_FALSE(session.Run.StopRequested);
    }
  }

  // Each case's answer typed after an "abc" that is refused.
  void ExpectAnswers(const std::vector<NumberCase>& cases) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.Text);
      testing::WriteFile(path, kHeader);
      session.Lookup.Loaded = false;
      ClearMessages();
      observer.SiteAnswers = {"abc", c.Text};
      EXPECT_EQ(Resolve(), c.Number);
      Texts messages{kMustBe};
      if (!c.Number) messages.push_back(std::string(c.Description) + "\r\nTolvanex:GetSiteID: 0");
      EXPECT_EQ(Messages(), messages);
      EXPECT_EQ(testing::ReadFile(path),
                c.Number ? kHeader + "2031, 7, " + std::to_string(*c.Number) + "\r\n" : kHeader);
    }
  }

  testing::TempFolder folder;
  std::string path = folder / "sites.lkp";
  ConversionRequest request = testing::RequestAt(folder.Path());
  PromptingObserver observer;
  EngineSession session;
  Conversion conversion{request, observer, session};
  std::int32_t siteNumber = 0;
};

TEST_F(SiteResolution, AStoredPairIsFoundIgnoringTheCaseOfASCIILettersOnly) {
  testing::WriteFile(path, kHeader + "AB, X, 12\r\nab, x, 13\r\n\xC3\x89t\xC3\xA9, 1, 14\r\n");
  Reading("ab", "x");
  EXPECT_EQ(Resolve(), 12);  // the first of two entries for the pair
  EXPECT_TRUE(observer.Prompts.empty());

  Reading("\xC3\xA9T\xC3\xA9", "1");  // É and é differ: only a to z are folded
  observer.SiteAnswers = {"15"};
  EXPECT_EQ(Resolve(), 15);
  EXPECT_EQ(observer.Prompts.size(), 1u);
}

TEST_F(SiteResolution, IdentifiersAreComparedAsTextWithoutTrimming) {
  testing::WriteFile(path, kHeader + "2031, 07, 1\r\n\t2031, 7, 2\r\n");
  observer.SiteAnswers = {"3"};
  EXPECT_EQ(Resolve(), 3);
  EXPECT_EQ(observer.Prompts.size(), 1u);
}

TEST_F(SiteResolution, TheLoadedTableIsTheTruthUntilItIsMarkedUnloaded) {
  testing::WriteFile(path, kHeader + "2031, 7, 1\r\n");
  EXPECT_EQ(Resolve(), 1);
  testing::WriteFile(path, kHeader + "2031, 7, 2\r\n");
  EXPECT_EQ(Resolve(), 1);
  session.Lookup.Loaded = false;
  EXPECT_EQ(Resolve(), 2);
}

TEST_F(SiteResolution, AFailedLoadEndsWithoutAPromptAndIsTriedAgain) {
  testing::WriteFile(path, "");
  EXPECT_EQ(Resolve(), std::nullopt);
  EXPECT_TRUE(observer.Prompts.empty());
  EXPECT_EQ(Messages(), Texts{"Input past end of file\r\nTolvanex:LoadLookup"});
  testing::WriteFile(path, kHeader + "2031, 7, 4105\r\n");
  EXPECT_EQ(Resolve(), 4105);
}

TEST_F(SiteResolution, AStoredSiteIDIsReadInTheUsersLocaleWithHalvesToEven) {
  ExpectStoredSiteIDs({{"4105", 4105},
                       {"-5", -5},
                       {"12.5", 12},
                       {"13.5", 14},
                       {"2147483647.4", 2147483647},
                       {"-2147483648.5", -2147483648},
                       {"", std::nullopt, "Type mismatch"},
                       {"abc", std::nullopt, "Type mismatch"},
                       {"$5", std::nullopt, "Type mismatch"},
                       {"2147483647.5", std::nullopt, "Overflow"},
                       {"-2147483649", std::nullopt, "Overflow"},
                       {"1e400", std::nullopt, "Overflow"}});
  UseGermanSettings();
  // A comma would split the line, so only the group separator can be stored.
  ExpectStoredSiteIDs({{"1.234", 1234}, {"12.5", 125}, {"-1.000.000", -1000000}});
}

TEST_F(SiteResolution, TheUnknownPairIsAskedForUntilANumberOrNothingIsGiven) {
  observer.SiteAnswers = {"abc", "   ", " 42 "};
  EXPECT_EQ(Resolve(), 42);
  EXPECT_EQ(observer.Prompts, Texts(3, "2031 / 7 needs a site number"));
  EXPECT_EQ(observer.PromptPairs, Texts(3, "2031 / 7"));
  EXPECT_EQ(Messages(), Texts(2, kMustBe));
  EXPECT_FALSE(session.Run.StopRequested);
  // The missing file has been created with the one entry; the pair is not asked for again.
  EXPECT_EQ(testing::ReadFile(path), kHeader + "2031, 7, 42\r\n");
  EXPECT_EQ(Resolve(), 42);
  EXPECT_EQ(observer.Prompts.size(), 3u);
}

TEST_F(SiteResolution, AnEmptyAnswerStopsTheRunAndKeepsNothing) {
  testing::WriteFile(path, kHeader);
  observer.SiteAnswers = {"abc", ""};
  EXPECT_EQ(Resolve(5), std::nullopt);
  EXPECT_TRUE(session.Run.StopRequested);
  EXPECT_EQ(session.Lookup.Entries.Count(), 0);
  EXPECT_EQ(Messages(), Texts{kMustBe});
  EXPECT_EQ(testing::ReadFile(path), kHeader);
}

TEST_F(SiteResolution, AStopAskedForEarlierDiscardsTheAnswer) {
  session.Run.StopRequested = true;
  observer.SiteAnswers = {"5"};
  EXPECT_EQ(Resolve(), std::nullopt);
  EXPECT_EQ(session.Lookup.Entries.Count(), 0);
  EXPECT_FALSE(testing::Exists(path));
}

TEST_F(SiteResolution, AnAnswerIsReadByTheRuleThatAcceptedIt) {
  ExpectAnswers({{"9999", 9999},
                 {"-5", -5},
                 {"12.5", 12},
                 {"13.5", 14},
                 {"1,234", 1234},
                 {"-0", 0},
                 {"3000000000", std::nullopt, "Overflow"}});
  UseGermanSettings();
  ExpectAnswers({{"1.234", 1234}, {"12,5", 12}, {"13,5", 14}, {"12.5", 125}});
}

TEST_F(SiteResolution, CurrencyParenthesesAndTrailingSignsAreNoSiteNumbers) {
  observer.SiteAnswers = {"$5", "(5)", "5-", "1 2", "7"};
  EXPECT_EQ(Resolve(), 7);
  EXPECT_EQ(Messages(), Texts(4, kMustBe));
}

TEST_F(SiteResolution, TheNewEntryKeepsTheReadingsSpellingAndIsSortedWhenAsked) {
  testing::WriteFile(path, kHeader + "b, 1, 1\r\nc, 1, 2\r\n");
  Reading("aB", "x");
  observer.SiteAnswers = {"3"};
  EXPECT_EQ(Resolve(), 3);
  EXPECT_EQ(testing::ReadFile(path), kHeader + "b, 1, 1\r\nc, 1, 2\r\naB, x, 3\r\n");

  request.SortLookup = true;
  Reading("A", "y");
  observer.SiteAnswers = {"4"};
  EXPECT_EQ(Resolve(), 4);
  EXPECT_EQ(testing::ReadFile(path), kHeader + "A, y, 4\r\naB, x, 3\r\nb, 1, 1\r\nc, 1, 2\r\n");
}

TEST_F(SiteResolution, AFailedSaveKeepsTheEntryInTheTable) {
  request.LookupFile = folder / "missing/sites.lkp";
  observer.SiteAnswers = {"8"};
  EXPECT_EQ(Resolve(), std::nullopt);
  EXPECT_EQ(Messages(), Texts{testing::MissingFolderText() +
                              "\r\nTolvanex:SaveLookupFile: " + request.LookupFile});
  EXPECT_FALSE(session.Run.StopRequested);
  EXPECT_EQ(Resolve(), 8);
  EXPECT_EQ(observer.Prompts.size(), 1u);
}

TEST_F(SiteResolution, AReadingWithoutBothIdentifiersIsAFailure) {
  conversion.Reading.Fields = {"2031"};
  EXPECT_EQ(Resolve(3), std::nullopt);
  EXPECT_EQ(Messages(), Texts{"Subscript out of range\r\nTolvanex:GetSiteID: 3"});
  EXPECT_TRUE(observer.Prompts.empty());
}

}  // namespace
}  // namespace tolvanex

namespace tolvanex {
namespace {

// The first entry of the pair in table order, letter case aside, found the long way.
std::optional<std::string> LinearSiteID(const PackedLookupTable& entries, std::string_view id1,
                                        std::string_view id2) {
  auto upper = [](std::string_view view) {
    std::string text(view);
    for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
  };
  for (std::int64_t i = 1; i <= entries.Count(); ++i) {
    LookupEntry entry = entries[i].ToEntry();
    if (upper(entry.ID1) == upper(id1) && upper(entry.ID2) == upper(id2)) return entry.SiteID;
  }
  return std::nullopt;
}

// Generated tables full of duplicates, mixed case and bad site numbers, sorted and unsorted, and
// grown by answers: every pair resolves to what a look through the table in order finds.
TEST_F(SiteResolution, TheIndexFindsWhatTheTableInOrderHolds) {
  std::mt19937 random(1207);
  auto id = [&random](const char* letters) {
    std::string text(1 + random() % 2, ' ');
    for (char& c : text) c = letters[random() % 4];
    return text;
  };
  for (int table = 0; table < 20; ++table) {
    std::string file = kHeader;
    for (int n = 0; n < 200; ++n) {
      std::string site = random() % 10 == 0 ? "x" : std::to_string(random() % 1000);
      file += id("aAbB") + ", " + id("1cC2") + ", " + site + "\r\n";
    }
    testing::WriteFile(path, file);
    session.Lookup.Loaded = false;
    request.SortLookup = table % 2 == 1;
    for (int query = 0; query < 200; ++query) {
      Reading(id("aAbBzZ"), id("1cC2"));
      const auto& fields = conversion.Reading.Fields;
      observer.SiteAnswers = {"5"};
      ClearMessages();
      auto number = Resolve();
      ASSERT_TRUE(session.Lookup.Loaded);
      auto expected = LinearSiteID(session.Lookup.Entries, fields[0], fields[1]);
      ASSERT_TRUE(expected) << "an unknown pair is added";
      if (*expected == "x") {
        EXPECT_EQ(number, std::nullopt) << fields[0] << " / " << fields[1];
      } else {
        EXPECT_EQ(number, std::stoi(*expected)) << fields[0] << " / " << fields[1];
      }
    }
  }
}

TEST_F(SiteResolution, AHundredThousandEntriesLoadSortAndSave) {
  std::string file = kHeader;
  for (int n = 100000; n > 0; --n)
    file += "P" + std::to_string(n) + ", 1, " + std::to_string(n) + "\r\n";
  testing::WriteFile(path, file);
  request.SortLookup = true;
  Reading("new", "1");
  observer.SiteAnswers = {"7"};
  EXPECT_EQ(Resolve(), 7);
  std::string saved = testing::ReadFile(path);
  EXPECT_TRUE(saved.starts_with(kHeader + "P1, 1, 1\r\nP10, 1, 10\r\n")) << saved.substr(0, 60);
  EXPECT_TRUE(saved.ends_with("P99999, 1, 99999\r\nnew, 1, 7\r\n"));
  Reading("p50000", "1");
  EXPECT_EQ(Resolve(), 50000);
}

}  // namespace
}  // namespace tolvanex
