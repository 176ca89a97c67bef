// What the front ends of the window share about the events of its controls: how often a run
// lets them through, and how a routine runs for one of them.
#pragma once

#include <chrono>
#include <functional>
#include <string_view>

namespace tolvanex {

class Frm_Tolvanex;

// A run lets window events through at most this often, so that Cancel works and the status line
// is seen to move, while the run itself stays about as fast as without a window.
inline constexpr std::chrono::milliseconds kEventInterval{50};

// When the next let-through of a run is due.
class EventPacer {
 public:
  // The next let-through is due at once: a run's first line shows its Cancel button.
  void Restart() { due_ = true; }
  bool Due(std::chrono::steady_clock::time_point now) const {
    return due_ || now - last_ >= kEventInterval;
  }
  // Counted from the end of a let-through: a slow event (a click on Cancel) still leaves the run
  // its time.
  void Done(std::chrono::steady_clock::time_point now) {
    due_ = false;
    last_ = now;
  }

 private:
  bool due_ = true;
  std::chrono::steady_clock::time_point last_{};
};

// Runs the routine of one event. The routines report their own failures; anything else is shown
// in a message box with its description, so that it never unwinds through the toolkit.
void RunEventRoutine(Frm_Tolvanex& form, const std::function<void()>& routine);

// The command line of the window, as its --help shows it.
std::string_view WindowUsage();

}  // namespace tolvanex
