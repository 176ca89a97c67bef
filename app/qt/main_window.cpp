#include "app/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <string>
#include <vector>

#include "app/qt/control_binding.h"
#include "app/qt/qt_platform.h"
#include "app/qt/qt_text.h"
#include "app/qt/text_fields.h"
#include "app/qt/window_icon.h"
#include "app/qt/window_layout.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::qt {

namespace {

// The paths of the local files that a drag carries; empty when it carries anything else, such
// as text or a web address.
std::vector<std::string> DroppedFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    paths.push_back(FromQt(QDir::toNativeSeparators(url.toLocalFile())));
  }
  return paths;
}

}  // namespace

MainWindow::MainWindow(Frm_Tolvanex& form, QtPlatform& desktop)
    : form_(form),
      desktop_(desktop),
      controls_(BuildControls(*this, form.Lst_Files)),
      controller_(form, *this) {
  setAcceptDrops(true);
  // The boxes and dialogs of the program carry the icon too.
  QApplication::setWindowIcon(WindowIcon());
  setWindowIcon(QApplication::windowIcon());
  desktop_.Attach(this);
  connect(&ticks_, &QTimer::timeout, this, [this] { controller_.Tick(); });
  ShowModel();
  AlignCaptions();
  Connect();
}

MainWindow::~MainWindow() {
  desktop_.Attach(nullptr);
}

void MainWindow::Load(const std::string& iniFile) {
  controller_.Load(iniFile);
}

QSize MainWindow::DefaultSize() const {
  QSize size = sizeHint();
  if (QScreen* shownOn = screen()) size = size.boundedTo(shownOn->availableGeometry().size());
  return size;
}

void MainWindow::Open() {
  if (!form_.Placement) {
    resize(DefaultSize());
    show();
    return;
  }
  std::vector<ScreenArea> screens;
  QList<QScreen*> all = QGuiApplication::screens();
  // The primary screen first: a window that fits no screen goes there.
  all.removeOne(QGuiApplication::primaryScreen());
  all.prepend(QGuiApplication::primaryScreen());
  for (QScreen* screen : all) {
    if (screen == nullptr) continue;
    QRect area = screen->availableGeometry();
    screens.push_back({area.x(), area.y(), area.width(), area.height()});
  }
  WindowPlacement placement = FitToScreens(*form_.Placement, screens);
  resize(placement.Width, placement.Height);
  move(placement.Left, placement.Top);
  if (placement.Maximized) {
    showMaximized();
  } else {
    show();
  }
}

void MainWindow::KeepPlacement() {
  // The normal place of a maximized window is kept, so that it comes back to it when restored.
  QRect normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
  QPoint frameOffset = geometry().topLeft() - pos();
  QPoint outer = normal.topLeft() - frameOffset;
  form_.Placement =
      WindowPlacement{outer.x(), outer.y(), normal.width(), normal.height(), isMaximized()};
}

void MainWindow::Connect() {
  for (const ControlInfo& info : ControlTable()) {
    auto* button = qobject_cast<QPushButton*>(controls_.Find(info.Name, info.Index));
    if (button == nullptr) continue;
    connect(button, &QPushButton::clicked, this,
            [this, control = ControlRef{info.Name, info.Index}] { controller_.Handle(control); });
  }
  connect(controls_.Lst_Files->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] {
            // A selection that the model itself put there is no click.
            if (!showingModel_) controller_.Handle({"Lst_Files", -1});
          });
  connect(controls_.Lst_Files, &QListView::doubleClicked, this, [this] {
    controller_.Handle({"Lst_Files", -1}, ControlEvent::DoubleClick);
  });
  for (int i = 0; i < 2; ++i) {
    connect(controls_.mnu_File[i], &QAction::triggered, this, [this, i] {
      controller_.Handle({"mnu_File", i});
    });
  }
  connect(controls_.mnu_Help[0], &QAction::triggered, this, [this] {
    controller_.Handle({"mnu_Help", 0});
  });
}

// The caption column of the top row and of both groups is as wide as its widest caption, so
// that the fields line up.
void MainWindow::AlignCaptions() {
  int widest = 0;
  for (auto& [index, label] : controls_.Label1)
    widest = std::max(widest, label->sizeHint().width());
  for (auto& [index, label] : controls_.Label1) label->setMinimumWidth(widest);
}

QWidget* MainWindow::DialogParent() {
  return isVisible() ? this : nullptr;
}

void MainWindow::ReadControls() {
  PullFromWidgets(controls_, form_);
}

void MainWindow::ShowModel(bool withFilesList) {
  showingModel_ = true;
  PushToWidgets(form_, controls_, withFilesList);
  showingModel_ = false;
}

void MainWindow::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void MainWindow::StartTicks(std::chrono::milliseconds interval) {
  ticks_.start(interval);
}

std::chrono::milliseconds MainWindow::DoubleClickInterval() const {
  return std::chrono::milliseconds(QApplication::doubleClickInterval());
}

void MainWindow::CloseWindow() {
  if (isVisible() || leftSight_) {
    close();
    return;
  }
  // A window that was never shown gets no close event from Qt; its close request runs all the
  // same.
  QCloseEvent event;
  closeEvent(&event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (controller_.CanDrop(DroppedFiles(event->mimeData()))) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (controller_.CanDrop(DroppedFiles(event->mimeData()))) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = DroppedFiles(event->mimeData());
  if (!controller_.CanDrop(paths)) return;
  QWidget* target = childAt(event->position().toPoint());
  bool onLookupBox = target != nullptr && (target == controls_.Txt_File[1] ||
                                           controls_.Txt_File[1]->isAncestorOf(target));
  event->acceptProposedAction();
  controller_.Drop(onLookupBox ? 1 : 0, paths.front());
}

void MainWindow::LeaveSight() {
  if (!isVisible()) return;
  KeepPlacement();
  leftSight_ = true;
  hide();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run going ends after the line in hand, and the window closes when it has.
  controller_.RequestClose();
  if (controller_.Closed()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace tolvanex::qt
