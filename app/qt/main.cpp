// tolvanex: the window.
//
// Two options serve scripted runs such as the benchmarks: --settings FILE reads that settings
// file instead of the one beside the program (and takes no single-instance lock), and
// --process-and-exit presses Process once the window is up and closes the window after the run.
// --help, --version, a command line not understood and a missing display are answered before
// anything of the window is made, so that they need no display.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <iostream>

#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "app/qt/window_options.h"
#include "system/stop_requests.h"
#include "ui/frm_tolvanex.h"

int main(int argc, char** argv) {
  // A request to stop from outside (the session ending, kill, Ctrl-C in the terminal) closes the
  // window as Exit does, from the first statement on: one that comes before the window is up
  // closes it as soon as it is.
  tolvanex::WatchStopRequests(false);
  tolvanex::WindowOptions options;
  if (auto status = tolvanex::qt::AnswerWithoutWindow(argc, argv, std::cout, std::cerr, options)) {
    return *status;
  }

  QApplication application(argc, argv);

  tolvanex::qt::QtPlatform desktop;
  tolvanex::Frm_Tolvanex form(desktop);
  tolvanex::qt::MainWindow window(form, desktop);
  window.Load(options.SettingsFile.value_or(std::string()));
  // A second instance has said so and closed its window before it was ever shown.
  if (window.Closed()) return 0;
  window.CloseOnStopRequests();
  QObject::connect(&window, &tolvanex::qt::MainWindow::CloseRequestDone, &application,
                   &QCoreApplication::quit, Qt::QueuedConnection);
  window.Open();
  if (options.ProcessAndExit) {
    QTimer::singleShot(0, &window, [&window] { window.ProcessAndClose(); });
  }
  int status = QApplication::exec();
  if (options.ProcessAndExit && !form.Run.ReachedEndOfData) return 1;
  return status;
}
