// A window set up for the writers: column levels filled, folders in a temporary folder, a lookup
// file that knows the pair 123 / 4, and a reading to hand to the writers.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ui/frm_tolvanex.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex::testing {

class WriterTest : public ::testing::Test {
 protected:
  WriterTest() {
    FillColumnLevels(form);
    form.Cmb_Dateformat.Text = "d mmm yyyy HH:MM";
    form.Lbl_Folder[0].Caption = folder.Path();
    form.Lbl_Folder[1].Caption = folder.Path();
    form.Txt_Extension.Text = "txt";
    form.Txt_File[1].Text = folder / "sites.lkp";
    WriteFile(folder / "sites.lkp", "ID1, ID2, SiteID\r\n123, 4, 101\r\n");
  }

  // The reading of 14 July 2023 at the given time of day, SN 7, slot 1 12.5 and slot 3 -3.
  void SetReading(double time, std::string sn = "7") {
    auto& reading = form.CurrentReading;
    reading.Fields = {"123", "4", "\"date\"", sn, "0.7", "12.5", "x", "2.5", "-3", "x"};
    reading.SN = sn;
    reading.ReadingTime = time;
    reading.Values.fill(std::nullopt);
    reading.Values[1] = 12.5;
    reading.Values[3] = -3.0;
    reading.MaxColumn = 3;
  }

  TempFolder folder;
  ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

inline constexpr double k14July2023At1300 = 45121.5416666667;
inline constexpr double k14July2023At0905 = 45121.3784722222;
inline constexpr double kOneSecond = 1.0 / 86400.0;

}  // namespace tolvanex::testing
