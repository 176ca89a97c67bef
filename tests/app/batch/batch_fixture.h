// A folder for runs of the batch command: the end-to-end data file and lookup file of
// tests/data/run, empty post/ and text/ folders, and a settings file that points at them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {

inline const std::string kRunData = std::string(TOLVANEX_TEST_DATA) + "/run";

class BatchFolder : public ::testing::Test {
 protected:
  BatchFolder() {
    namespace fs = std::filesystem;
    fs::create_directory(folder / "post");
    fs::create_directory(folder / "text");
    fs::copy_file(kRunData + "/data.dat", folder / "data.dat");
    fs::copy_file(kRunData + "/sites.lkp", folder / "sites.lkp");
    settings = "[General]\r\nDataFile=" + (folder / "data.dat") +
               "\r\nOutputPostFile=1\r\nPostFolder=" + (folder / "post") +
               "\r\nLookupFile=" + (folder / "sites.lkp") +
               "\r\nSortLookup=1\r\nOutputTextFile=1\r\nExtension=txt\r\n" +
               "OutputFolder=" + (folder / "text") + "\r\nDateFormat=d mmm yyyy HH:MM\r\n";
    testing::WriteFile(folder / "tolvanex.ini", settings);
  }

  // Runs the command with the folder's settings file, in the C locale unless told otherwise.
  testing::ProcessResult Run(std::vector<std::string> arguments, const std::string& input = "",
                             std::map<std::string, std::string> environment = {}) {
    arguments.insert(arguments.begin(), {"--settings", folder / "tolvanex.ini"});
    environment.emplace("LC_ALL", "C");
    return testing::RunProcess(TOLVANEX_BATCH, arguments, input, environment);
  }

  std::string Expected(const std::string& name) {
    return testing::ReadFile(kRunData + "/expected/" + name);
  }

  // A copy of the run's data file under another name in the folder, or a data file of its own.
  std::string DataFile(const std::string& name, const std::string& content = "") {
    std::string path = folder / name;
    testing::WriteFile(path, content.empty() ? testing::ReadFile(kRunData + "/data.dat") : content);
    return path;
  }

  testing::TempFolder folder;
  std::string settings;
};

// The run's data file holds one pair, 88 / 1, that its lookup file lacks; this line holds a
// known pair and a date that does not read.
inline constexpr const char* kUnreadableDateLine =
    "\"2031\",\"7\",\"someday\",S100,0.7,1,0,1.5,2,0\r\n";

// A data file of many readings: 21 pairs (2000 / 1 to 2020 / 3), a reading a minute from
// 14 July 2023 on, SN changing every 5000 lines.
inline std::string LargeDataFile(int lines) {
  std::string data = "\"Station export\",\"unit 3\"\r\n";
  for (int n = 0; n < lines; ++n) {
    int pair = n % 21;
    int minute = n / 21;
    char line[256];
    std::snprintf(
        line, sizeof line,
        "\"%d\",\"%d\",\"%d Jul 2023 %02d:%02d\",S%d,0.7,%d.%03d,0,1.5,-%d.5,0,2.5,%d,0\r\n",
        2000 + pair, pair % 3 + 1, 14 + minute / 1440, minute / 60 % 24, minute % 60,
        1000 + n / 5000, n % 97, n % 1000, pair, n % 13);
    data += line;
  }
  return data;
}

// The lookup file of the first pairs of LargeDataFile.
inline std::string LargeLookupFile(int pairs) {
  std::string lookup = "ID1, ID2, SiteID\r\n";
  for (int pair = 0; pair < pairs; ++pair) {
    lookup += std::to_string(2000 + pair) + ", " + std::to_string(pair % 3 + 1) + ", " +
              std::to_string(4100 + pair) + "\r\n";
  }
  return lookup;
}

}  // namespace tolvanex
