// A run of the window on a thread of its own, so that the window's thread only draws and
// answers. The window's thread starts the run, looks at its news at each tick and takes its end;
// the run has the window's thread show the site prompt and the message boxes, and waits for the
// answer. Cancel and a close request are read by the run after each line.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/conversion_engine.h"
#include "core/run_observer.h"
#include "ui/window_run.h"

namespace tolvanex {

class Platform;

class RunThread : private RunObserver {
 public:
  // Runs a task on the window's thread soon; callable from any thread.
  using PostToWindow = std::function<void(std::function<void()>)>;

  // A modal box is shown through desktop after beforeBox has shown the window as the run left
  // it; ended gets the result on the window's thread.
  RunThread(Platform& desktop, PostToWindow post, std::function<void()> beforeBox,
            std::function<void(const ConversionResult&)> ended);
  RunThread(const RunThread&) = delete;
  RunThread& operator=(const RunThread&) = delete;
  // Cancels a run still going and waits for it; a box it waits for is answered as cancelled.
  ~RunThread();

  // Starts a run of the engine; the window's thread only.
  void Start(ConversionEngine& engine, ConversionRequest request);
  bool Going() const { return thread_.joinable(); }
  // The run ends after the line in hand.
  void Cancel() { cancel_ = true; }
  // What the run has told since the last look; from now on it also hands over its status at
  // its next line.
  RunNews TakeNews();

 private:
  std::string AskSiteNumber(std::string_view id1, std::string_view id2,
                            const std::string& prompt) override;
  void Tell(const std::string& text) override;
  void Report(const tolvanex::Report& report) override;
  bool StopRequested() override { return cancel_; }
  void Progress(const RunProgress& progress) override;
  bool StatusWanted() override { return newsWanted_.exchange(false, std::memory_order_relaxed); }
  void Status(std::string_view text) override;
  void PostFileNamed(const std::string& path) override;
  void TextFileUsed(const std::string& name) override;

  // Hands what the run told since the last time over to the window.
  void HandOver();
  // Runs a task on the window's thread and waits for it; false when the window gave up on the
  // run first.
  bool OnWindowThread(const std::function<void()>& task);
  void Finish(ConversionResult result);

  Platform& desktop_;
  PostToWindow post_;
  std::function<void()> beforeBox_;
  std::function<void(const ConversionResult&)> ended_;
  // Tasks posted to the window's thread hold it weakly: one that runs after the run thread's end
  // finds it gone and does nothing.
  std::shared_ptr<int> life_ = std::make_shared<int>(0);
  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> newsWanted_{true};  // the window looked: the next status goes with the news

  std::mutex mutex_;  // guards what follows, and the wait for a box
  std::condition_variable answered_;
  bool abandoned_ = false;  // the window no longer answers: boxes count as cancelled
  RunNews news_;            // handed over, for the window to take
  // Run thread only: what the run told since it last handed its news over, kept without a lock.
  RunNews told_;
};

}  // namespace tolvanex
