#include "app/qt/qt_platform.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>
#include <utility>

#include "app/qt/file_filters.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "system/regional.h"

namespace tolvanex::qt {

namespace {

// The application-wide pointer codes as Qt cursors: the hourglass of a run; any other code
// shows the arrow.
Qt::CursorShape CursorFor(int code) {
  return code == kPointerHourglass ? Qt::WaitCursor : Qt::ArrowCursor;
}

// While a modal box is open during a run, the pointer over it is the arrow: the box is waiting
// for the user, not the program. The run's pointer comes back when the box closes.
class ArrowOverModal {
 public:
  explicit ArrowOverModal(int pointer) : pushed_(pointer != kPointerDefault) {
    if (pushed_) QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
  }
  ArrowOverModal(const ArrowOverModal&) = delete;
  ArrowOverModal& operator=(const ArrowOverModal&) = delete;
  ~ArrowOverModal() {
    if (pushed_) QGuiApplication::restoreOverrideCursor();
  }

 private:
  bool pushed_;
};

// A title bar shows the title beside the window manager's buttons and icon; a box narrower than
// that cuts its title ("Enter ...umber").
int WidthForTitle(const QString& title) {
  QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  return metrics.horizontalAdvance(title) * 5 / 4 + 8 * metrics.height();
}

}  // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::QtPlatform(std::string lockPath) : services_(std::move(lockPath)) {}

QWidget* QtPlatform::Parent() const {
  return view_ != nullptr ? view_->DialogParent() : nullptr;
}

void QtPlatform::MessageBox(const std::string& text, const std::string& title) {
  ArrowOverModal arrow(pointer_);
  QMessageBox box(QMessageBox::NoIcon, ToQt(title), LinesToQt(text), QMessageBox::Ok, Parent());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::string QtPlatform::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) {
  ArrowOverModal arrow(pointer_);
  QInputDialog dialog(Parent());
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(ToQt(title));
  dialog.setLabelText(LinesToQt(prompt));
  dialog.setTextValue(ToQt(defaultAnswer));
  dialog.setMinimumWidth(std::max(dialog.sizeHint().width(), WidthForTitle(ToQt(title))));
  if (dialog.exec() != QDialog::Accepted) return std::string();
  return FromQt(dialog.textValue());
}

std::optional<std::string> QtPlatform::ShowOpen(const std::vector<FileFilter>& filters,
                                                const std::string& initialName) {
  ArrowOverModal arrow(pointer_);
  QFileDialog dialog(Parent(), QStringLiteral("Open"));
  // As the original dialog: the chosen name need not exist, and no other option is offered.
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList nameFilters = QtNameFilters(filters);
  // The list shows each description as the filter text writes it; the patterns in force are
  // Qt's, which for "*.*" is "*".
  dialog.setOption(QFileDialog::HideNameFilterDetails, QtCanShowDescriptionsOnly(nameFilters));
  dialog.setNameFilters(nameFilters);
  if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.front());
  // A bare name lies in the current folder, which the caller has just set.
  QFileInfo initial(ToQt(initialName));
  dialog.setDirectory(initialName.empty() ? QDir::currentPath() : initial.absolutePath());
  if (!initialName.empty()) dialog.selectFile(initial.fileName());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return FromQt(QDir::toNativeSeparators(chosen.front()));
}

std::optional<std::string> QtPlatform::BrowseForFolder(const std::string& prompt,
                                                       const std::string& startFolder) {
  ArrowOverModal arrow(pointer_);
  QFileDialog dialog(Parent(), ToQt(prompt));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setDirectory(ToQt(startFolder));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return FromQt(QDir::toNativeSeparators(chosen.front()));
}

void QtPlatform::SetMousePointer(int code) {
  if (code == pointer_) return;
  // At most one override cursor is ours at a time, so that 0 gives the widgets' own back.
  if (pointer_ != kPointerDefault) QGuiApplication::restoreOverrideCursor();
  if (code != kPointerDefault) QGuiApplication::setOverrideCursor(QCursor(CursorFor(code)));
  pointer_ = code;
}

RegionalSettings QtPlatform::Regional() const {
  return RegionalSettingsFromLocale("");
}

int QtPlatform::CurrentYear() const {
  // Not Qt's date, which re-reads the time zone for every call.
  return LocalYear();
}

void QtPlatform::CloseWindow() {
  if (view_ != nullptr) view_->CloseWindow();
}

}  // namespace tolvanex::qt
