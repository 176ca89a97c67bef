// The fields that show a path or the status line. Each asks the window for room for its text
// (or for a text given in advance), so that the window opens wide enough to show it whole, but
// can be made narrower than it.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>

namespace tolvanex::qt {

// At most this many average characters of room are asked for, so that one long path does not
// make the window as wide as the screen.
inline constexpr int kMostCharactersAskedFor = 72;

// A label with a border: a path that can be selected and copied, or the status line.
class BorderedField : public QLabel {
 public:
  explicit BorderedField(QWidget* parent = nullptr);

  // The text to make room for, when it is not the text shown: the status line makes room for
  // the final status of a large run before it has one.
  void SetRoomFor(const QString& text);
  // A text wider than the field then ends in an ellipsis, so that a cut never reads as a whole
  // text ("... to 1" for "... to 100 post file(s)"). Only for a field whose text is not selected.
  void SetElided(bool elided) { elided_ = elided; }
  // The text as the field shows it at its present width.
  QString VisibleText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int TextRoom() const;

  QString roomFor_;
  bool elided_ = false;
};

// A text box for a path, asking for room for the path it holds.
class PathBox : public QLineEdit {
 public:
  explicit PathBox(QWidget* parent = nullptr);

  QSize sizeHint() const override;
};

}  // namespace tolvanex::qt
