#include "tests/app/qt/modal_answerer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace tolvanex::testing {

ModalAnswerer::ModalAnswerer() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenDialog(); });
  timer_.start();
}

void ModalAnswerer::AnswerOpenDialog() {
  QWidget* dialog = QApplication::activeModalWidget();
  if (dialog == nullptr || !dialog->isVisible()) return;
  if (answers_.empty()) {
    unexpected_.push_back(dialog->windowTitle());
    if (auto* box = qobject_cast<QDialog*>(dialog)) box->reject();
    return;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  answer(dialog);
  // An answer whose checks failed may have left its dialog open; the test must not hang on it.
  if (dialog->isVisible()) {
    if (auto* box = qobject_cast<QDialog*>(dialog)) box->reject();
  }
}

QStringList ShownFilters(QWidget* fileDialog) {
  QStringList shown;
  auto* types = fileDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  if (types == nullptr) return shown;
  for (int i = 0; i < types->count(); ++i) shown.append(types->itemText(i));
  return shown;
}

ModalAnswerer::Answer ConfirmMessage(std::vector<SeenMessage>& seen) {
  return [&seen](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr) << "not a message box: " << dialog->windowTitle().toStdString();
    seen.push_back({box->windowTitle(), box->text(), box->icon() != QMessageBox::NoIcon,
                    static_cast<int>(box->buttons().size())});
    box->button(QMessageBox::Ok)->click();
  };
}

ModalAnswerer::Answer AnswerInput(QString answer, std::vector<QString>* seen) {
  return [answer, seen](QWidget* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(input, nullptr) << "not an input box: " << dialog->windowTitle().toStdString();
    if (seen != nullptr) {
      seen->push_back(input->windowTitle());
      seen->push_back(input->labelText());
      seen->push_back(input->textValue());
    }
    input->setTextValue(answer);
    input->accept();
  };
}

ModalAnswerer::Answer CancelInput() {
  return [](QWidget* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(input, nullptr);
    input->reject();
  };
}

ModalAnswerer::Answer ChooseFile(QString path, std::function<void(QWidget*)> inspect) {
  return [path, inspect](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr) << "not a file dialog: " << dialog->windowTitle().toStdString();
    if (inspect) inspect(files);
    files->selectFile(path);
    // Through QDialog, where accept() is public; the file dialog's own still runs.
    static_cast<QDialog*>(files)->accept();
  };
}

ModalAnswerer::Answer CancelDialog(std::function<void(QWidget*)> inspect) {
  return [inspect](QWidget* dialog) {
    if (inspect) inspect(dialog);
    auto* box = qobject_cast<QDialog*>(dialog);
    ASSERT_NE(box, nullptr);
    box->reject();
  };
}

}  // namespace tolvanex::testing
