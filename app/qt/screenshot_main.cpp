// tolvanex-screenshot SETTINGS IMAGE: draws the window as it stands after one run over the
// settings file SETTINGS into the PNG file IMAGE, without a display. The run goes through the
// run button as a user's would; the settings file is read and never written.
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "ui/frm_tolvanex.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: tolvanex-screenshot SETTINGS IMAGE\n", stderr);
    return 2;
  }
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);

  tolvanex::qt::QtPlatform desktop;
  tolvanex::Frm_Tolvanex form(desktop);
  tolvanex::qt::MainWindow window(form, desktop);
  window.Load(argv[1]);

  // At the size a user's window opens at the first time.
  window.Open();
  QApplication::processEvents();
  window.Controls().Cmd_Export->click();
  // The run goes on its own thread; the window shows its end.
  while (window.RunGoing()) {
    QApplication::processEvents();
    QThread::msleep(2);
  }
  QApplication::processEvents();

  if (!window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "tolvanex-screenshot: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
