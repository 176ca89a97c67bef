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
#include <QSocketNotifier>
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
#include "core/run_driver.h"
#include "ui/frm_tolvanex.h"
#include "system/stop_requests.h"
#include "ui/files_list.h"
#include "ui/pickers.h"
#include "ui/startup.h"
#include "ui/window_events.h"

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
    : form_(form), desktop_(desktop), controls_(BuildControls(*this, form.Lst_Files)) {
  setAcceptDrops(true);
  // The boxes and dialogs of the program carry the icon too.
  QApplication::setWindowIcon(WindowIcon());
  setWindowIcon(QApplication::windowIcon());
  desktop_.Attach(this);
  ShowModel();
  AlignCaptions();
  Connect();
}

MainWindow::~MainWindow() {
  desktop_.Attach(nullptr);
}

void MainWindow::Load() {
  Handle([this] { Form_Load(form_); });
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

template <typename Routine>
void MainWindow::Handle(Routine routine) {
  // During a run only the run button takes input, and the run reads the values it started with.
  if (!form_.RunState.Running) PullFromWidgets(controls_, form_);
  RunEventRoutine(form_, routine);
  ShowModel();
  if (closeAfterRun_ && !form_.RunState.Running) {
    closeAfterRun_ = false;
    close();
  }
}

void MainWindow::Connect() {
  auto onClick = [this](QPushButton* button, auto routine) {
    connect(button, &QPushButton::clicked, this, [this, routine] { Handle(routine); });
  };
  for (int i = 0; i < 2; ++i) {
    onClick(controls_.Cmd_GetFile[i], [this, i] { Cmd_GetFile_Click(form_, i); });
    onClick(controls_.Cmd_GetFolder[i], [this, i] { Cmd_GetFolder_Click(form_, i); });
  }
  for (int i = 0; i < 4; ++i) {
    onClick(controls_.Cmd_Edit[i], [this, i] { Cmd_Edit_Click(form_, i); });
  }
  connect(controls_.Cmd_Export, &QPushButton::clicked, this, [this] {
    auto interval = std::chrono::milliseconds(QApplication::doubleClickInterval());
    if (!RunButtonTakesClick(form_.RunState, std::chrono::steady_clock::now(), interval)) return;
    Handle([this] {
      if (!form_.RunState.Running) desktop_.RestartEventClock();
      Cmd_Export_Click(form_);
    });
  });
  onClick(controls_.Cmd_Close, [this] {
    LeaveSight();
    Cmd_Close_Click(form_);
  });

  connect(controls_.Lst_Files->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] {
            // A selection that the model itself put there is no click.
            if (!showingModel_) Handle([this] { Lst_Files_Click(form_); });
          });
  connect(controls_.Lst_Files, &QListView::doubleClicked, this,
          [this] { Handle([this] { Lst_Files_DblClick(form_); }); });

  for (int i = 0; i < 2; ++i) {
    connect(controls_.mnu_File[i], &QAction::triggered, this,
            [this, i] { Handle([this, i] { mnu_File_Click(form_, i); }); });
  }
  connect(controls_.mnu_Help[0], &QAction::triggered, this,
          [this] { Handle([this] { mnu_Help_Click(form_, 0); }); });
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

bool MainWindow::RunGoing() const {
  return form_.RunState.Running;
}

void MainWindow::ShowStatus(const BorderedLabel& status) {
  ShowStatusLine(status, *controls_.Lbl_Status);
}

void MainWindow::ShowModel() {
  // During a run the files list grows by a row a reading; it is shown anew once a second, the
  // rest of the window at every let-through.
  auto now = std::chrono::steady_clock::now();
  bool withFilesList = !form_.RunState.Running || now - filesListShown_ >= kFilesListInterval;
  if (withFilesList) filesListShown_ = now;
  showingModel_ = true;
  PushToWidgets(form_, controls_, withFilesList);
  showingModel_ = false;
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
  if (CanDropFiles(form_, DroppedFiles(event->mimeData()))) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (CanDropFiles(form_, DroppedFiles(event->mimeData()))) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = DroppedFiles(event->mimeData());
  if (!CanDropFiles(form_, paths)) return;
  QWidget* target = childAt(event->position().toPoint());
  bool onLookupBox = target != nullptr && (target == controls_.Txt_File[1] ||
                                           controls_.Txt_File[1]->isAncestorOf(target));
  event->acceptProposedAction();
  Handle([this, onLookupBox, &paths] { DropFile(form_, onLookupBox ? 1 : 0, paths.front()); });
}

void MainWindow::LeaveSight() {
  if (!isVisible()) return;
  KeepPlacement();
  leftSight_ = true;
  hide();
}

void MainWindow::CloseOnStopRequests() {
  // The requests are watched from the program's start; one that came already is waiting in the
  // descriptor and closes the window at once.
  auto* requests = new QSocketNotifier(StopRequestDescriptor(), QSocketNotifier::Read, this);
  connect(requests, &QSocketNotifier::activated, this, [this] {
    DrainStopRequestDescriptor();
    close();
  });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (form_.RunState.Running) {
    // The run ends after the line in hand, and the window closes when it has.
    form_.RunState.StopRequested = true;
    closeAfterRun_ = true;
    LeaveSight();
    event->ignore();
    return;
  }
  PullFromWidgets(controls_, form_);
  LeaveSight();
  Form_QueryUnload(form_);
  closed_ = true;
  event->accept();
  emit CloseRequestDone();
}

}  // namespace tolvanex::qt
