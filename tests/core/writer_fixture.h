// A conversion set up for the writers: both outputs in a temporary folder, a lookup file that
// knows the pair 123 / 4, and a reading to hand to the writers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/conversion.h"
#include "core/conversion_request.h"
#include "tests/support/recording_observer.h"
#include "tests/support/temp_folder.h"

namespace tolvanex::testing {

// Keeps every use of a text file as well, a name once per reading it took or skipped.
class WriterObserver : public RecordingObserver {
 public:
  std::vector<std::string> TextFileUses;

  void TextFileUsed(const std::string& name) override {
    TextFileUses.push_back(name);
    RecordingObserver::TextFileUsed(name);
  }
};

class WriterTest : public ::testing::Test {
 protected:
  WriterTest() {
    request.PostFolder = folder.Path();
    request.TextFolder = folder.Path();
    request.LookupFile = folder / "sites.lkp";
    request.SortLookup = false;
    WriteFile(folder / "sites.lkp", "ID1, ID2, SiteID\r\n123, 4, 101\r\n");
  }

  // The reading of 14 July 2023 at the given time of day, SN 7, slot 1 12.5 and slot 3 -3.
  void SetReading(double time, std::string sn = "7", std::string id1 = "123") {
    auto& reading = conversion.Reading;
    reading.KeepFields({std::move(id1), "4", "\"date\"", sn, "0.7", "12.5", "x", "2.5", "-3", "x"});
    reading.ReadingTime = time;
    reading.Values.fill(std::nullopt);
    reading.Values[1] = 12.5;
    reading.Values[3] = -3.0;
    reading.MaxColumn = 3;
  }

  TempFolder folder;
  ConversionRequest request = RequestAt(folder.Path());
  WriterObserver observer;
  EngineSession session;
  Conversion conversion{request, observer, session};
};

inline constexpr double k14July2023At1300 = 45121.5416666667;
inline constexpr double k14July2023At0905 = 45121.3784722222;
inline constexpr double kOneSecond = 1.0 / 86400.0;

}  // namespace tolvanex::testing
