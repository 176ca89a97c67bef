// What the Qt desktop needs of the window it serves.
#pragma once

class QWidget;

namespace tolvanex::qt {

class QtView {
 public:
  virtual ~QtView() = default;

  // The owner of the modal boxes: the window once it is shown, none before.
  virtual QWidget* DialogParent() = 0;
  // Closes the window through its close request.
  virtual void CloseWindow() = 0;
};

}  // namespace tolvanex::qt
