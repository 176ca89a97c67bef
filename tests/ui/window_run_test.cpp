#include "ui/window_run.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_platform.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {
namespace {

class SetProcessingTest : public ::testing::Test {
 protected:
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(SetProcessingTest, TheRunButtonCancelsOnlyWhileARunIsGoing) {
  form.Run.Running = true;
  SetProcessing(form);
  EXPECT_EQ(form.Cmd_Export.Caption, "&Cancel");
  form.Run.Running = false;
  SetProcessing(form);
  EXPECT_EQ(form.Cmd_Export.Caption, "&Process");
}

TEST_F(SetProcessingTest, AClickWithinTheDoubleClickIntervalAfterTheCaptionTurnedIsNotTaken) {
  using std::chrono::milliseconds;
  auto before = std::chrono::steady_clock::now();
  form.Run.Running = true;
  SetProcessing(form);
  auto turned = form.Run.RunButtonTurned;
  EXPECT_GE(turned, before);
  EXPECT_FALSE(RunButtonTakesClick(form.Run, turned + milliseconds(399), milliseconds(400)));
  EXPECT_TRUE(RunButtonTakesClick(form.Run, turned + milliseconds(400), milliseconds(400)));

  // Only a new caption starts the interval again.
  SetProcessing(form);
  EXPECT_EQ(form.Run.RunButtonTurned, turned);
  form.Run.Running = false;
  SetProcessing(form);
  EXPECT_GT(form.Run.RunButtonTurned, turned);
}

TEST_F(SetProcessingTest, EditingTheListedFileNeedsASelection) {
  form.Cmd_Edit[2].Enabled = true;
  SetProcessing(form);
  EXPECT_FALSE(form.Cmd_Edit[2].Enabled);
  form.Lst_Files.AddItem("2031_7.txt");
  SetProcessing(form);
  EXPECT_FALSE(form.Cmd_Edit[2].Enabled);
  form.Lst_Files.SetListIndex(0);
  SetProcessing(form);
  EXPECT_TRUE(form.Cmd_Edit[2].Enabled);
  form.Lst_Files.SetListIndex(-1);
  SetProcessing(form);
  EXPECT_FALSE(form.Cmd_Edit[2].Enabled);
}

TEST_F(SetProcessingTest, EditingTheLastPostFileNeedsItsPathShown) {
  form.Cmd_Edit[3].Enabled = true;
  SetProcessing(form);
  EXPECT_FALSE(form.Cmd_Edit[3].Enabled);
  form.Lbl_File[0].Caption = "/data/velko/230305.pst";
  form.Run.Running = true;
  SetProcessing(form);
  EXPECT_TRUE(form.Cmd_Edit[3].Enabled);
  form.Run.Running = false;  // stays enabled after the run
  SetProcessing(form);
  EXPECT_TRUE(form.Cmd_Edit[3].Enabled);
  // The other edit buttons are not its business.
  EXPECT_TRUE(form.Cmd_Edit[0].Enabled);
  EXPECT_TRUE(form.Cmd_Edit[1].Enabled);
}

}  // namespace
}  // namespace tolvanex
