#include "ui/window_controller.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/run_folder.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"

namespace tolvanex {
namespace {

using namespace std::chrono_literals;

// Long enough for a run to be going still when the test acts at a tick, also on a fast machine.
constexpr int kLongRun = 1000000;

// A window without widgets: tasks posted to it wait until the test pumps them on its own thread,
// which thus stands for the window's thread, and so do the ticks.
class FakeView : public WindowView {
 public:
  WindowController* Controller = nullptr;
  int ShownWithFilesList = 0;
  int LeftSight = 0;
  bool ClosedForGood = false;
  bool Ticking = false;
  std::chrono::milliseconds Interval{0};

  void ReadControls() override {}
  void ShowModel(bool withFilesList) override { ShownWithFilesList += withFilesList ? 1 : 0; }
  void Post(std::function<void()> task) override {
    {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    posted_.notify_all();
  }
  void StartTicks(std::chrono::milliseconds) override { Ticking = true; }
  void StopTicks() override { Ticking = false; }
  void LeaveSight() override { ++LeftSight; }
  void CloseForGood() override { ClosedForGood = true; }
  std::chrono::milliseconds DoubleClickInterval() const override { return Interval; }

  // Runs posted tasks and ticks until done() holds; false when it did not within a minute.
  bool PumpUntil(const std::function<bool()>& done) {
    auto end = std::chrono::steady_clock::now() + 60s;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::function<void()> task;
      {
        std::unique_lock lock(mutex_);
        posted_.wait_for(lock, kTickInterval, [this] { return !tasks_.empty(); });
        if (!tasks_.empty()) {
          task = std::move(tasks_.front());
          tasks_.pop_front();
        }
      }
      if (task) {
        task();
      } else if (Ticking) {
        Controller->Tick();
      }
    }
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

// Records on which thread the boxes were shown.
class ThreadRecordingDesktop : public testing::ScriptedPlatform {
 public:
  std::vector<std::thread::id> BoxThreads;
  std::function<void()> OnInputBox;

  void MessageBox(const std::string& text, const std::string& title) override {
    BoxThreads.push_back(std::this_thread::get_id());
    ScriptedPlatform::MessageBox(text, title);
  }
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer) override {
    BoxThreads.push_back(std::this_thread::get_id());
    if (OnInputBox) OnInputBox();
    return ScriptedPlatform::InputBox(prompt, title, defaultAnswer);
  }
};

class WindowControllerTest : public ::testing::Test {
 protected:
  WindowControllerTest() {
    view.Controller = &controller;
    testing::PrepareRunFolder(folder.Path());
    testing::PointWindowAt(form, folder.Path());
  }
  // A data file long enough that a run is still going when the test acts.
  void WriteLongDataFile() {
    std::string data = "header\r\n";
    data.reserve(kLongRun * 64);
    for (int i = 0; i < kLongRun; ++i) {
      data += "\"2031\",\"7\",\"14 Jul 2023 09:05\",S100,0.7,12.5,0,1.5,11.75,0\r\n";
    }
    testing::WriteFile(folder / "data.dat", data);
    form.Chk_OutputTextFiles.Value = 0;
  }
  bool RunEnds() {
    return view.PumpUntil([this] { return !controller.Running(); });
  }

  testing::TempFolder folder;
  ThreadRecordingDesktop desktop;
  Frm_Tolvanex form{desktop};
  FakeView view;
  WindowController controller{form, view};
};

TEST_F(WindowControllerTest, ARunGoesOnItsOwnThreadWhileTheWindowsThreadShowsItsBoxesAndItsEnd) {
  desktop.InputAnswers = {"512"};
  controller.Handle({"Cmd_Export", -1});
  EXPECT_TRUE(controller.Running());
  EXPECT_EQ(form.Cmd_Export.Caption, "&Cancel");
  EXPECT_TRUE(view.Ticking);
  ASSERT_TRUE(RunEnds());

  ASSERT_EQ(desktop.InputBoxes.size(), 1u);
  EXPECT_EQ(desktop.InputBoxes[0].Prompt, "88 / 1 needs a site number");
  EXPECT_EQ(desktop.InputBoxes[0].Title, "Enter site number");
  EXPECT_EQ(desktop.InputBoxes[0].DefaultAnswer, "9999");
  EXPECT_EQ(desktop.BoxThreads, std::vector<std::thread::id>{std::this_thread::get_id()});
  EXPECT_TRUE(desktop.Messages.empty());
  EXPECT_EQ(testing::ReadFile(folder / "post/23Jul15.pst"),
            testing::ReadFile(testing::RunData() + "/expected/23Jul15.pst"));

  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 13 readings to 2 post file(s)");
  EXPECT_EQ(form.Lbl_Status.BackColor, kStatusCream);
  EXPECT_EQ(form.Lst_Files.ListCount(), 7);  // a row for every reading of the text files
  EXPECT_EQ(form.Lbl_File[0].Caption, folder / "post/23Jul15.pst");
  EXPECT_TRUE(form.Cmd_Edit[3].Enabled);
  EXPECT_EQ(form.Cmd_Export.Caption, "&Process");
  EXPECT_EQ(desktop.PointerHistory, (std::vector<int>{kPointerHourglass, kPointerDefault}));
  EXPECT_TRUE(form.Run.ReachedEndOfData);
  EXPECT_FALSE(view.Ticking);
}

TEST_F(WindowControllerTest, AReportWaitsForItsBoxAndTheStatusLineKeepsItsTextWhenTheRunSetNone) {
  form.Txt_File[0].Text = folder / "missing.dat";
  form.Lbl_Status.Caption = "Finished - posted 2 readings";
  controller.Handle({"Cmd_Export", -1});
  ASSERT_TRUE(RunEnds());
  ASSERT_EQ(desktop.MessageTexts().size(), 1u);
  EXPECT_EQ(desktop.MessageTexts()[0],
            testing::MissingFileText() + "\r\nTolvanex:DoExport: " + (folder / "missing.dat"));
  EXPECT_EQ(desktop.BoxThreads, std::vector<std::thread::id>{std::this_thread::get_id()});
  EXPECT_EQ(form.Lbl_Status.Caption, "Finished - posted 2 readings");
  EXPECT_FALSE(form.Run.ReachedEndOfData);
}

TEST_F(WindowControllerTest, CancelEndsTheRunAfterTheLineInHandButNotASecondClickOfADoubleClick) {
  WriteLongDataFile();
  view.Interval = 300ms;
  controller.Handle({"Cmd_Export", -1});
  controller.Handle({"Cmd_Export", -1});  // the second click of a double-click on Process
  EXPECT_TRUE(controller.Running());
  EXPECT_FALSE(form.Run.CancelRequested);

  view.Interval = 0ms;  // as if the interval had passed
  ASSERT_TRUE(view.PumpUntil([this] { return form.Run.Progress.BytesRead > 0; }));
  controller.Handle({"Cmd_Export", -1});
  EXPECT_TRUE(form.Run.CancelRequested);
  ASSERT_TRUE(RunEnds());
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  // The readings taken stay, in a post file under its name.
  EXPECT_TRUE(form.Lbl_Status.Caption.starts_with("Finished - posted ")) << form.Lbl_Status.Caption;
  EXPECT_NE(form.Lbl_Status.Caption,
            "Finished - posted " + std::to_string(kLongRun) + " readings to 1 post file(s)");
  EXPECT_TRUE(std::filesystem::exists(form.Lbl_File[0].Caption));
}

TEST_F(WindowControllerTest, WhileARunGoesOnlyTheRunButtonTakesInputAndTheWindowShowsItsProgress) {
  WriteLongDataFile();
  controller.Handle({"Cmd_Export", -1});
  controller.Handle({"Cmd_Edit", 0});
  controller.Handle({"mnu_Help", 0});
  controller.Drop(0, folder / "sites.lkp");
  EXPECT_TRUE(desktop.EditorPaths.empty());
  EXPECT_TRUE(desktop.Messages.empty());
  EXPECT_EQ(form.Txt_File[0].Text, folder / "data.dat");

  EXPECT_TRUE(view.PumpUntil([this] { return form.Run.Progress.BytesRead > 0; }));
  EXPECT_GT(form.Run.Progress.FileSize, 0u);
  EXPECT_LE(form.Run.Progress.BytesRead, form.Run.Progress.FileSize);
  controller.Handle({"Cmd_Export", -1});
  ASSERT_TRUE(RunEnds());
  controller.Handle({"Cmd_Edit", 0});
  EXPECT_EQ(desktop.EditorPaths, std::vector<std::string>{folder / "data.dat"});
}

TEST_F(WindowControllerTest, ClosingDuringARunCancelsItAndTheWindowClosesOnceItHasEnded) {
  WriteLongDataFile();
  form.IniFile = folder / "tolvanex.ini";
  controller.Handle({"Cmd_Export", -1});
  controller.RequestClose();
  EXPECT_EQ(view.LeftSight, 1);
  EXPECT_FALSE(view.ClosedForGood);
  EXPECT_TRUE(form.Run.CancelRequested);

  ASSERT_TRUE(view.PumpUntil([this] { return view.ClosedForGood; }));
  EXPECT_FALSE(controller.Running());
  EXPECT_TRUE(controller.Closed());
  EXPECT_FALSE(form.Run.ReachedEndOfData);
  // The settings were saved on the way out.
  EXPECT_NE(testing::ReadFile(folder / "tolvanex.ini").find("DataFile="), std::string::npos);
}

TEST_F(WindowControllerTest, ProcessAndCloseClosesAfterAWholeRun) {
  desktop.InputAnswers = {"512"};
  controller.ProcessAndClose();
  EXPECT_EQ(view.LeftSight, 0);
  ASSERT_TRUE(view.PumpUntil([this] { return view.ClosedForGood; }));
  EXPECT_TRUE(form.Run.ReachedEndOfData);
}

TEST_F(WindowControllerTest, TheRoutineTableCoversTheControlsAndMenusThatHaveRoutines) {
  controller.Handle({"Cmd_Edit", 1});
  controller.Handle({"mnu_Help", 0});
  controller.Handle({"Cmd_GetFolder", 1});
  controller.Handle({"Lbl_Status", -1});  // no routine: nothing happens
  EXPECT_EQ(desktop.EditorPaths, std::vector<std::string>{folder / "sites.lkp"});
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Title, "Quenbury");
  EXPECT_EQ(desktop.FolderPickers.size(), 1u);
}

}  // namespace
}  // namespace tolvanex
