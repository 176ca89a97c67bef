#include "app/qt/text_fields.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace tolvanex::qt {

namespace {

int CappedAdvance(const QFontMetrics& metrics, const QString& text) {
  return std::min(metrics.horizontalAdvance(text),
                  kMostCharactersAskedFor * metrics.averageCharWidth());
}

}  // namespace

BorderedField::BorderedField(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setMargin(2);
  setAutoFillBackground(true);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void BorderedField::SetRoomFor(const QString& text) {
  roomFor_ = text;
  updateGeometry();
}

int BorderedField::TextRoom() const {
  return contentsRect().width() - 2 * margin();
}

QString BorderedField::VisibleText() const {
  if (!elided_) return text();
  return fontMetrics().elidedText(text(), Qt::ElideRight, TextRoom());
}

QSize BorderedField::sizeHint() const {
  QSize base = QLabel::sizeHint();
  const QString& wanted = roomFor_.isEmpty() ? text() : roomFor_;
  int frame = base.width() - fontMetrics().horizontalAdvance(text());
  // One character more than the text: a label cuts off a text that only just fits.
  int width = CappedAdvance(fontMetrics(), wanted) + fontMetrics().averageCharWidth() + frame;
  return {std::max(width, minimumSizeHint().width()), base.height()};
}

QSize BorderedField::minimumSizeHint() const {
  QSize base = QLabel::minimumSizeHint();
  int frame = 2 * (frameWidth() + margin());
  return {frame + 4 * fontMetrics().averageCharWidth(), base.height()};
}

void BorderedField::paintEvent(QPaintEvent* event) {
  if (!elided_) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                        VisibleText(), foregroundRole());
}

PathBox::PathBox(QWidget* parent) : QLineEdit(parent) {
  // The window's layout reads the room asked for again when the path changes.
  connect(this, &QLineEdit::textChanged, this, [this] { updateGeometry(); });
}

QSize PathBox::sizeHint() const {
  QSize base = QLineEdit::sizeHint();
  QFontMetrics metrics = fontMetrics();
  // The box's frame and inner margins, as Qt counts them for its own width.
  int frame = base.width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
  int width = CappedAdvance(metrics, text()) + metrics.averageCharWidth() + frame;
  return {std::max(base.width(), width), base.height()};
}

}  // namespace tolvanex::qt
