// What the window controller needs of a toolkit's window: its widgets read and shown, its
// thread to run tasks on, a tick while a run goes, and its way out of sight.
#pragma once

#include <chrono>
#include <functional>

namespace tolvanex {

class WindowView {
 public:
  virtual ~WindowView() = default;

  // The values the user edits, from the widgets into the window model.
  virtual void ReadControls() = 0;
  // The model's values into the widgets. The files list, which a run makes long, only when
  // asked for.
  virtual void ShowModel(bool withFilesList) = 0;
  // Runs a task on the window's thread soon; callable from any thread.
  virtual void Post(std::function<void()> task) = 0;
  // Calls the controller's Tick every interval, from the window's thread, until StopTicks.
  virtual void StartTicks(std::chrono::milliseconds interval) = 0;
  virtual void StopTicks() = 0;
  // The window goes out of sight at once on its way to closing, its place and size kept for the
  // settings file.
  virtual void LeaveSight() = 0;
  // The close request has gone through: the window closes and the program ends with it.
  virtual void CloseForGood() = 0;
  // The system's double-click interval.
  virtual std::chrono::milliseconds DoubleClickInterval() const = 0;
};

}  // namespace tolvanex
