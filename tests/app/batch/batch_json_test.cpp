#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch/run_account.h"
#include "tests/app/batch/batch_fixture.h"

namespace tolvanex {
namespace {

using nlohmann::json;

std::vector<json> Lines(const std::string& out) {
  std::vector<json> objects;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) objects.push_back(json::parse(line));
  return objects;
}

using BatchJson = BatchFolder;

TEST_F(BatchJson, OneObjectPerDataFileTellsWhatItsRunDid) {
  std::filesystem::create_directory(folder / "done");
  std::string whole = DataFile("whole.dat");
  std::string reported = DataFile("reported.dat", kUnreadableDateLine);
  std::string missing = folder / "missing.dat";
  auto result = Run({"--json", "--archive", folder / "done", whole, reported, missing}, "512\n");
  EXPECT_EQ(result.ExitStatus, 1);
  std::vector<json> runs = Lines(result.Out);
  ASSERT_EQ(runs.size(), 3u) << result.Out;

  const json& first = runs[0];
  EXPECT_EQ(first["data_file"], whole);
  EXPECT_EQ(first["exit_status"], 0);
  EXPECT_EQ(first["ended"], "end_of_data");
  EXPECT_EQ(first["status"], "Finished - posted 13 readings to 2 post file(s)");
  EXPECT_EQ(first["readings_posted"], json({{"total", 13}, {"post_files", 7}, {"text_files", 6}}));
  EXPECT_EQ(first["post_files"], json({folder / "post/23Jul14.pst", folder / "post/23Jul15.pst"}));
  // 2031 / 7 meets its 15 July reading twice: the second is not newer.
  EXPECT_EQ(first["text_files"],
            json({{{"path", folder / "text/2031_7.txt"}, {"appended", 3}, {"skipped", 1}},
                  {{"path", folder / "text/2031_8.txt"}, {"appended", 2}, {"skipped", 0}},
                  {{"path", folder / "text/88_1.txt"}, {"appended", 1}, {"skipped", 0}}}));
  EXPECT_EQ(first["reports"], json::array());
  EXPECT_EQ(first["archived_as"], folder / "done/whole.dat");

  const json& second = runs[1];
  EXPECT_EQ(second["data_file"], reported);
  EXPECT_EQ(second["exit_status"], 3);
  EXPECT_EQ(second["ended"], "end_of_data");
  EXPECT_EQ(second["readings_posted"]["total"], 1);  // to the post file; the text file skips it
  EXPECT_EQ(second["text_files"][0]["skipped"], 1);
  EXPECT_EQ(second["reports"],
            json({{{"description", "Type mismatch"}, {"label", "DateTimeValue: someday"}}}));
  EXPECT_TRUE(second["archived_as"].is_null());

  const json& third = runs[2];
  EXPECT_EQ(third["data_file"], missing);
  EXPECT_EQ(third["exit_status"], 1);
  EXPECT_EQ(third["ended"], "failure");
  EXPECT_TRUE(third["status"].is_null());
  EXPECT_EQ(third["post_files"], json::array());
  EXPECT_EQ(
      third["reports"],
      json({{{"description", testing::MissingFileText()}, {"label", "DoExport: " + missing}}}));
  // The reports still reach stderr; stdout holds nothing but the objects.
  EXPECT_NE(result.Err.find("Type mismatch\nTolvanex:DateTimeValue: someday\n"), std::string::npos);
}

TEST_F(BatchJson, ARunWithoutASiteNumberSaysSo) {
  auto result = Run({"--json", "--no-prompt"});
  std::vector<json> runs = Lines(result.Out);
  ASSERT_EQ(runs.size(), 1u) << result.Out;
  EXPECT_EQ(runs[0]["ended"], "no_site_number");
  EXPECT_EQ(runs[0]["exit_status"], 1);
  EXPECT_EQ(runs[0]["reports"][0]["label"], "GetSiteID: 0");
}

TEST_F(BatchJson, TextThatIsNoUtf8StaysValidJson) {
  std::string data = DataFile("latin1.dat", "\"M\xFCller\",\"1\",\"x\",S1,0.7,1,0,1.5,2,0\r\n");
  auto result = Run({"--json", "--no-post", data});
  std::vector<json> runs = Lines(result.Out);
  ASSERT_EQ(runs.size(), 1u) << result.Out;
  EXPECT_EQ(runs[0]["reports"][0]["label"], "DateTimeValue: x");
  EXPECT_EQ(runs[0]["text_files"][0]["path"], folder / "text/M\xEF\xBF\xBDller_1.txt");
}

// A setting that does not take is reported while the settings are read: every run made with
// them reached its end with a report.
TEST_F(BatchJson, AReportWhileReadingTheSettingsCountsForEveryRun) {
  settings.replace(settings.find("OutputTextFile=1"), 16, "OutputTextFile=7");
  testing::WriteFile(folder / "tolvanex.ini", settings);
  std::filesystem::create_directory(folder / "done");
  std::string second = DataFile("second.dat");
  // The settings after the one that did not take keep what they held: no text files.
  auto result = Run(
      {"--json", "--no-text", "--archive", folder / "done", folder / "data.dat", second}, "512\n");
  EXPECT_EQ(result.ExitStatus, 3) << result.Err;
  EXPECT_EQ(result.Err.find("Invalid property value\nTolvanex:LoadSettings\n"), 0u) << result.Err;
  std::vector<json> runs = Lines(result.Out);
  ASSERT_EQ(runs.size(), 2u);
  for (const json& run : runs) {
    EXPECT_EQ(run["exit_status"], 3);
    EXPECT_EQ(run["ended"], "end_of_data");
    ASSERT_FALSE(run["reports"].empty());
    EXPECT_EQ(run["reports"][0]["label"], "LoadSettings");
    EXPECT_TRUE(run["archived_as"].is_null());
  }
}

// The settings from the one that does not take on keep the values the window starts with, not
// the file's: the extension "dat" rather than the file's "txt".
TEST_F(BatchJson, SettingsAfterOneThatDoesNotTakeKeepTheWindowsStartingValues) {
  settings.replace(settings.find("OutputTextFile=1"), 16, "OutputTextFile=x");
  testing::WriteFile(folder / "tolvanex.ini", settings);
  auto result = Run({"--json", "--no-post", "--text", "--output-folder", folder / "text"});
  EXPECT_EQ(result.ExitStatus, 3) << result.Err;
  std::vector<json> runs = Lines(result.Out);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0]["reports"][0]["label"], "LoadSettings");
  ASSERT_FALSE(runs[0]["text_files"].empty());
  for (const json& file : runs[0]["text_files"]) {
    EXPECT_TRUE(file["path"].get<std::string>().ends_with(".dat")) << file["path"];
  }
}

// Every name of a JSON value: keys joined by ".", "[]." into the objects of an array.
void CollectNames(const json& value, const std::string& prefix, std::set<std::string>& names) {
  for (const auto& [key, member] : value.items()) {
    std::string name = prefix + key;
    names.insert(name);
    if (member.is_object()) CollectNames(member, name + ".", names);
    if (member.is_array() && !member.empty() && member[0].is_object()) {
      CollectNames(member[0], name + "[].", names);
    }
  }
}

// A document's list of the account's fields: the names it gives and the text of the row of
// `ended`, where every way a run can end is named in the document's mark-up for code.
struct FieldList {
  std::string Document;
  std::string Section;     // the heading whose section holds the list
  std::string SectionEnd;  // what begins the next heading
  std::regex Row;          // a row, with the field's name as its first group
  std::string CodeOpen, CodeClose;
};

// The README documents the fields of the account, and the manual page of tolvanex-batch lists the
// same ones: exactly the ones written, and every way a run can end.
TEST_F(BatchJson, TheDocumentedFieldsAreExactlyTheOnesWritten) {
  std::vector<FieldList> lists = {{TOLVANEX_README, "### What `tolvanex-batch --json` writes",
                                   "\n#", std::regex("\n\\| `([a-z_.\\[\\]]+)` \\|[^\n]*"), "`",
                                   "`"}};
  // A build for Windows makes no manual page.
  if (std::string manual = TOLVANEX_BATCH_MANUAL; !manual.empty()) {
    lists.push_back({manual, ".SH \"JSON OUTPUT\"", "\n.SH",
                     std::regex("\n\\.TP\n\\\\fB([a-z_.\\[\\]]+)\\\\fR \\([^\n]*\n[^\n]*"), "\\fB",
                     "\\fR"});
  }

  std::filesystem::create_directory(folder / "done");
  auto result = Run({"--json", "--archive", folder / "done", DataFile("whole.dat"),
                     DataFile("reported.dat", kUnreadableDateLine)},
                    "512\n");
  std::set<std::string> written;
  for (const json& run : Lines(result.Out)) CollectNames(run, "", written);

  for (const FieldList& list : lists) {
    SCOPED_TRACE(list.Document);
    std::string text = testing::ReadFile(list.Document);
    auto section = text.find(list.Section);
    ASSERT_NE(section, std::string::npos);
    std::string listed = text.substr(section, text.find(list.SectionEnd, section + 1) - section);
    std::set<std::string> documented;
    std::string endedRow;
    for (std::sregex_iterator it(listed.begin(), listed.end(), list.Row), end; it != end; ++it) {
      documented.insert((*it)[1]);
      if ((*it)[1] == "ended") endedRow = it->str();
    }
    EXPECT_EQ(documented, written);
    for (RunEnd end : {RunEnd::EndOfData, RunEnd::StopRequest, RunEnd::NoSiteNumber,
                       RunEnd::Failure, RunEnd::NotStarted}) {
      std::string name(RunEndName(end));
      EXPECT_NE(endedRow.find(list.CodeOpen + name + list.CodeClose), std::string::npos) << name;
    }
  }
}

}  // namespace
}  // namespace tolvanex
