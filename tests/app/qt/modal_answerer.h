// Answers the modal dialogs that the window opens while a test waits inside them: each dialog
// takes the next queued answer. A dialog with no answer left is rejected and noted, so that a
// test fails rather than hangs.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace tolvanex::testing {

class ModalAnswerer {
 public:
  using Answer = std::function<void(QWidget* dialog)>;

  ModalAnswerer();

  void Queue(Answer answer) { answers_.push_back(std::move(answer)); }
  bool AllAnswered() const { return answers_.empty(); }
  // The titles of the dialogs that came without an answer queued for them.
  const std::vector<QString>& Unexpected() const { return unexpected_; }

 private:
  void AnswerOpenDialog();

  QTimer timer_;
  std::deque<Answer> answers_;
  std::vector<QString> unexpected_;
};

// What a message box showed.
struct SeenMessage {
  QString Title;
  QString Text;
  bool HasIcon = true;
  int Buttons = 0;
};

// The filter descriptions a file dialog lists, as the user reads them.
QStringList ShownFilters(QWidget* fileDialog);

// Answers: read a message box and press OK; read an input box and answer it (or cancel it
// with no answer); read a file dialog and choose a path (or cancel with none).
ModalAnswerer::Answer ConfirmMessage(std::vector<SeenMessage>& seen);
ModalAnswerer::Answer AnswerInput(QString answer, std::vector<QString>* seen = nullptr);
ModalAnswerer::Answer CancelInput();
ModalAnswerer::Answer ChooseFile(QString path, std::function<void(QWidget*)> inspect = nullptr);
ModalAnswerer::Answer CancelDialog(std::function<void(QWidget*)> inspect = nullptr);

}  // namespace tolvanex::testing
