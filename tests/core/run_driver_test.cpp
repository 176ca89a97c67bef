#include "core/run_driver.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/frm_tolvanex.h"
#include "tests/support/run_folder.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

namespace fs = std::filesystem;

const std::string kRunData = testing::RunData();

using testing::NamesIn;

class RunDriver : public ::testing::Test {
 protected:
  RunDriver() {
    testing::PrepareRunFolder(folder.Path());
    testing::PointWindowAt(form, folder.Path());
  }

  void WriteData(std::string_view bytes) { testing::WriteFile(folder / "data.dat", bytes); }
  void ExpectFile(const std::string& actual, const std::string& expectedName) {
    EXPECT_EQ(testing::ReadFile(actual), testing::ReadFile(kRunData + "/expected/" + expectedName))
        << expectedName;
  }

  testing::TempFolder folder;
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(RunDriver, ConvertsTheDataFileIntoTheExpectedFiles) {
  desktop.InputAnswers = {"512"};
  DoExport(form);

  EXPECT_TRUE(desktop.Messages.empty()) << desktop.Messages[0].Text;
  ASSERT_EQ(desktop.InputBoxes.size(), 1u);
  EXPECT_EQ(desktop.InputBoxes[0].Prompt, "88 / 1 needs a site number");
  EXPECT_EQ(NamesIn(folder / "post"), (std::vector<std::string>{"23Jul14.pst", "23Jul15.pst"}));
  ExpectFile(folder / "post/23Jul14.pst", "23Jul14.pst");
  ExpectFile(folder / "post/23Jul15.pst", "23Jul15.pst");
  EXPECT_EQ(NamesIn(folder / "text"),
            (std::vector<std::string>{"2031_7.txt", "2031_8.txt", "88_1.txt"}));
  ExpectFile(folder / "text/2031_7.txt", "2031_7.txt");
  ExpectFile(folder / "text/2031_8.txt", "2031_8.txt");
  ExpectFile(folder / "text/88_1.txt", "88_1.txt");
  ExpectFile(folder / "sites.lkp", "sites.lkp");

  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 13 readings to 2 post file(s)");
  EXPECT_EQ(form.Lst_Files.ListCount(), 7);
  EXPECT_EQ(form.Lbl_File[0].Caption, folder / "post/23Jul15.pst");
  EXPECT_EQ(form.Cmd_Export.Caption, "&Process");
  EXPECT_FALSE(form.RunState.Running);
  EXPECT_FALSE(form.RunState.PostFile.IsOpen());
  EXPECT_EQ(desktop.PointerHistory, (std::vector<int>{11, 0}));
}

TEST_F(RunDriver, ASecondRunAddsNothingToTextFilesAndStartsNewPostFiles) {
  desktop.InputAnswers = {"512"};
  DoExport(form);
  DoExport(form);

  EXPECT_TRUE(desktop.Messages.empty());
  EXPECT_EQ(desktop.InputBoxes.size(), 1u);  // the pair is known now
  EXPECT_EQ(NamesIn(folder / "post"), (std::vector<std::string>{"23Jul14.pst", "23Jul14A.pst",
                                                                "23Jul15.pst", "23Jul15A.pst"}));
  ExpectFile(folder / "post/23Jul14A.pst", "23Jul14.pst");
  ExpectFile(folder / "post/23Jul15A.pst", "23Jul15.pst");
  ExpectFile(folder / "text/2031_7.txt", "2031_7.txt");
  ExpectFile(folder / "text/2031_8.txt", "2031_8.txt");
  ExpectFile(folder / "text/88_1.txt", "88_1.txt");
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 7 readings to 2 post file(s)");
  EXPECT_EQ(form.Lst_Files.ListCount(), 7);  // emptied at the start, one row per reading again
}

TEST_F(RunDriver, AnEmptyDataFileCountsNothing) {
  WriteData("");
  form.Chk_OutputPostFile.Value = 0;
  DoExport(form);
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 0 readings");

  form.Chk_OutputPostFile.Value = 1;
  DoExport(form);
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 0 readings to 0 post file(s)");
  EXPECT_TRUE(NamesIn(folder / "post").empty());
  EXPECT_TRUE(desktop.Messages.empty());
}

TEST_F(RunDriver, WithoutDataLinesNoPostFileIsStarted) {
  WriteData("Logger export\r\n\r\nshort,line\r\n");
  form.Chk_OutputTextFiles.Value = 0;
  DoExport(form);
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 0 readings to 0 post file(s)");
  EXPECT_TRUE(NamesIn(folder / "post").empty());
}

TEST_F(RunDriver, WithNeitherBoxEveryLineIsStillAnalysed) {
  form.Chk_OutputPostFile.Value = 0;
  form.Chk_OutputTextFiles.Value = 0;
  DoExport(form);
  EXPECT_EQ(form.Lbl_Status.Caption, "2031/7 15 Jul 2023 00:00");  // no final status
  EXPECT_TRUE(NamesIn(folder / "post").empty());
  EXPECT_TRUE(NamesIn(folder / "text").empty());
  EXPECT_TRUE(desktop.InputBoxes.empty());
}

TEST_F(RunDriver, AnEmptySiteNumberAnswerEndsTheRunAtOnce) {
  DoExport(form);  // no queued answer: the prompt for 88 / 1 is cancelled
  EXPECT_TRUE(desktop.Messages.empty());
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 6 readings to 1 post file(s)");
  EXPECT_FALSE(testing::Exists(folder / "text/88_1.txt"));
  EXPECT_FALSE(form.RunState.PostFile.IsOpen());
  EXPECT_EQ(testing::ReadFile(folder / "sites.lkp"), testing::ReadFile(kRunData + "/sites.lkp"));
}

TEST_F(RunDriver, AMissingDataFileIsReportedAndTheRunCanStartAgain) {
  form.Txt_File[0].Text = folder / "missing.dat";
  form.Lbl_Status.Caption = "before";
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            testing::MissingFileText() + "\r\nTolvanex:DoExport: " + (folder / "missing.dat"));
  EXPECT_EQ(form.Lbl_Status.Caption, "before");
  EXPECT_EQ(form.Cmd_Export.Caption, "&Process");
  EXPECT_FALSE(form.RunState.Running);
  EXPECT_EQ(desktop.Pointer, 0);

  form.Txt_File[0].Text = folder / "data.dat";
  desktop.InputAnswers = {"512"};
  DoExport(form);
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 13 readings to 2 post file(s)");
}

TEST_F(RunDriver, ADataFileThatIsAFolderIsReported) {
  form.Txt_File[0].Text = folder.Path();
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            testing::FolderAsFileText() + "\r\nTolvanex:DoExport: " + folder.Path());
}

TEST_F(RunDriver, CancelEndsTheRunAfterTheLineInHand) {
  desktop.InputAnswers = {"512"};
  int lines = 0;
  desktop.OnDoEvents = [&] {
    if (++lines == 3) Cmd_Export_Click(form);  // the run button, pressed during the run
  };
  DoExport(form);
  EXPECT_TRUE(form.RunState.StopRequested);
  EXPECT_EQ(lines, 3);
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 4 readings to 1 post file(s)");
  EXPECT_EQ(form.Cmd_Export.Caption, "&Process");
}

TEST_F(RunDriver, ASecondRunStartsClean) {
  DoExport(form);  // ends early: no site number for 88 / 1
  ASSERT_TRUE(form.RunState.StopRequested);
  desktop.InputAnswers = {"512"};
  form.Chk_OutputPostFile.Value = 0;
  DoExport(form);
  EXPECT_FALSE(form.RunState.StopRequested);
  EXPECT_EQ(form.RunState.PostFileCount, 0);
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 3 readings");
  EXPECT_EQ(form.Lst_Files.ListCount(), 7);
}

TEST_F(RunDriver, AMissingOutputFolderEndsTheRunWithTheTextWritersReport) {
  form.Lbl_Folder[1].Caption = folder / "missing";
  DoExport(form);
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            testing::MissingFolderText() +
                "\r\nTolvanex:ExportPostFile: " + (folder / "missing/2031_7.txt"));
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 1 readings to 1 post file(s)");
}

TEST_F(RunDriver, RunsOfMoreThan32767ReadingsComplete) {
  std::string data;
  for (int i = 0; i < 40000; ++i) {
    data += "2031,7,14 Jul 2023 09:05,S100,0.7," + std::to_string(i) + ",0,1.5,1,0\r\n";
  }
  WriteData(data);
  form.Chk_OutputTextFiles.Value = 0;
  DoExport(form);
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 40000 readings to 1 post file(s)");
  EXPECT_TRUE(desktop.Messages.empty());
}

}  // namespace
}  // namespace tolvanex
