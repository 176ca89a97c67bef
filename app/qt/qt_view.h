// What the Qt desktop needs of the window it serves.
#pragma once

class QWidget;

namespace tolvanex {
struct BorderedLabel;
}

namespace tolvanex::qt {

class QtView {
 public:
  virtual ~QtView() = default;

  // The owner of the modal boxes: the window once it is shown, none before.
  virtual QWidget* DialogParent() = 0;
  // True while a run holds the thread.
  virtual bool RunGoing() const = 0;
  // Shows a new text and colour of the status line and repaints it at once.
  virtual void ShowStatus(const BorderedLabel& status) = 0;
  // Shows the window model's current values: captions, the status line, the progress of a run.
  virtual void ShowModel() = 0;
  // Closes the window through its close request.
  virtual void CloseWindow() = 0;
};

}  // namespace tolvanex::qt
