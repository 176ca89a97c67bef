// The window: the widgets of the window model, each widget event handed to the window
// controller, which runs its routine with the values copied in before and out after.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <chrono>
#include <string>
#include <string_view>

#include "app/qt/control_widgets.h"
#include "ui/window_controller.h"
#include "ui/window_view.h"

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::qt {

class QtPlatform;

class MainWindow : public QMainWindow, private WindowView {
  Q_OBJECT

 public:
  // The form's desktop is the given Qt desktop, which then serves this window.
  MainWindow(Frm_Tolvanex& form, QtPlatform& desktop);
  ~MainWindow() override;

  // The start-up of the window model, before the window is first shown; with a settings file
  // given, that file is read and no instance test made.
  void Load(const std::string& iniFile = std::string());
  // Presses Process, and closes the window once that run has ended.
  void ProcessAndClose() { controller_.ProcessAndClose(); }
  // The size the window opens at when it has none of its own yet: room for the texts of its
  // controls (the final status of a large run, the paths as they stand), within the screen.
  QSize DefaultSize() const;
  // Shows the window for the first time: where it stood when it last closed, moved onto the
  // screens as they are now, or at its default size.
  void Open();
  // From now on, each request to stop from outside (SIGTERM, SIGHUP, SIGINT) closes the window
  // as Exit does: a run going is cancelled first, and the settings are saved.
  void CloseOnStopRequests() { controller_.CloseOnStopRequests(); }
  // True once the close request has gone through: the program ends with the window.
  bool Closed() const { return controller_.Closed(); }
  bool RunGoing() const { return controller_.Running(); }

  const ControlWidgets& Controls() const { return controls_; }
  QWidget* Control(std::string_view name, int index = -1) const {
    return controls_.Find(name, index);
  }

  // The owner of the modal boxes: the window once it is shown, none before.
  QWidget* DialogParent();
  // Closes the window through its close request.
  void CloseWindow();
  // Shows the window model's values in the widgets.
  void ShowModel() { ShowModel(true); }

 signals:
  // The close request has gone through. The window may have left sight before it, so that Qt's
  // quit on the last window closed does not see it close: the program ends on this instead.
  void CloseRequestDone();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A file dropped onto the lookup file box names the lookup file; anywhere else, the data file.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ReadControls() override;
  void ShowModel(bool withFilesList) override;
  void Post(std::function<void()> task) override;
  void StartTicks(std::chrono::milliseconds interval) override;
  void StopTicks() override { ticks_.stop(); }
  // The window goes out of sight at once when it is to close; what is left to do (the line in
  // hand of a run, flushing its files, saving the settings) goes on unseen.
  void LeaveSight() override;
  void CloseForGood() override { emit CloseRequestDone(); }
  std::chrono::milliseconds DoubleClickInterval() const override;

  // Each widget's events to the controller, by the control's name in the window model.
  void Connect();
  // Notes the window's place and size for the settings file.
  void KeepPlacement();
  void AlignCaptions();

  Frm_Tolvanex& form_;
  QtPlatform& desktop_;
  ControlWidgets controls_;
  WindowController controller_;
  QTimer ticks_;
  bool showingModel_ = false;
  bool leftSight_ = false;  // hidden on its way to closing
};

}  // namespace tolvanex::qt
