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
  void AlignCaptions();

  Frm_Tolvanex& form_;
  QtPlatform& desktop_;
  ControlWidgets controls_;
  bool showingModel_ = false;
  static constexpr std::chrono::seconds kFilesListInterval{1};
  std::chrono::steady_clock::time_point filesListShown_{};
  bool closed_ = false;
  bool closeAfterRun_ = false;
};

}  // namespace tolvanex::qt
