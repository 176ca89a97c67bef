// The window: the widgets of the window model, each widget event handed to the model's routine
// with the values copied in before and out after.
#pragma once

#include <QMainWindow>
#include <chrono>
#include <string_view>

#include "app/qt/control_widgets.h"
#include "app/qt/qt_view.h"

namespace tolvanex {
class Frm_Tolvanex;
}

namespace tolvanex::qt {

class QtPlatform;

class MainWindow : public QMainWindow, public QtView {
  Q_OBJECT

 public:
  // The form's desktop is the given Qt desktop, which then serves this window.
  MainWindow(Frm_Tolvanex& form, QtPlatform& desktop);
  ~MainWindow() override;

  // The start-up of the window model, before the window is first shown.
  void Load();
  // The size the window opens at when it has none of its own yet: room for the texts of its
  // controls (the final status of a large run, the paths as they stand), within the screen.
  QSize DefaultSize() const;
  // Shows the window for the first time: where it stood when it last closed, moved onto the
  // screens as they are now, or at its default size.
  void Open();
  // From now on, each request to stop from outside (SIGTERM, SIGHUP, SIGINT) closes the window
  // as Exit does: a run going is cancelled first, and the settings are saved.
  void CloseOnStopRequests();
  // True once the close request has gone through: the program ends with the window.
  bool Closed() const { return closed_; }

  const ControlWidgets& Controls() const { return controls_; }
  QWidget* Control(std::string_view name, int index = -1) const {
    return controls_.Find(name, index);
  }

  QWidget* DialogParent() override;
  bool RunGoing() const override;
  void ShowStatus(const BorderedLabel& status) override;
  void ShowModel() override;
  void CloseWindow() override;

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
  // One event of a control: the user's values into the model, the routine, the model's values
  // back to the widgets.
  template <typename Routine>
  void Handle(Routine routine);
  void Connect();
  // Notes the window's place and size for the settings file.
  void KeepPlacement();
  // The window goes out of sight at once when it is to close; what is left to do (the line in
  // hand of a run, flushing its files, saving the settings) goes on unseen.
  void LeaveSight();
  void AlignCaptions();

  Frm_Tolvanex& form_;
  QtPlatform& desktop_;
  ControlWidgets controls_;
  bool showingModel_ = false;
  static constexpr std::chrono::seconds kFilesListInterval{1};
  std::chrono::steady_clock::time_point filesListShown_{};
  bool closed_ = false;
  bool closeAfterRun_ = false;
  bool leftSight_ = false;  // hidden on its way to closing
};

}  // namespace tolvanex::qt
