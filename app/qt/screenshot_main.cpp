// tolvanex-screenshot SETTINGS IMAGE: draws the window as it stands after one run over the
// settings file SETTINGS into the PNG file IMAGE, without a display. The run goes through the
// run button as a user's would; the settings file is read and never written.
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "ui/frm_tolvanex.h"
#include "ui/startup.h"

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
  tolvanex::LoadWindow(form, argv[1]);
  window.ShowModel();

  // At the size a user's window opens at the first time.
  window.Open();
  QApplication::processEvents();
  window.Controls().Cmd_Export->click();
  QApplication::processEvents();

  if (!window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "tolvanex-screenshot: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
