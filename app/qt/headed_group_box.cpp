#include "app/qt/headed_group_box.h"

#include <QEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <algorithm>

namespace tolvanex::qt {

namespace {

constexpr int kHeadingIndent = 8;
constexpr int kHeadingPadding = 4;  // blank after the heading, where the frame line resumes

}  // namespace

HeadedGroupBox::HeadedGroupBox(QWidget* heading, QWidget* parent)
    : QGroupBox(parent), heading_(heading) {
  heading_->setParent(this);
  // The heading covers the frame line where it crosses it.
  heading_->setAutoFillBackground(true);
  PlaceHeading();
}

void HeadedGroupBox::PlaceHeading() {
  QSize size = heading_->sizeHint();
  int room = std::max(0, width() - 2 * kHeadingIndent);
  heading_->setGeometry(kHeadingIndent, 0, std::min(size.width() + kHeadingPadding, room),
                        size.height());
  // The controls of the group start below the heading.
  setContentsMargins(0, size.height(), 0, 0);
}

QSize HeadedGroupBox::minimumSizeHint() const {
  QSize size = QGroupBox::minimumSizeHint();
  return size.expandedTo(
      QSize(heading_->sizeHint().width() + kHeadingPadding + 2 * kHeadingIndent, 0));
}

QSize HeadedGroupBox::sizeHint() const {
  return QGroupBox::sizeHint().expandedTo(minimumSizeHint());
}

bool HeadedGroupBox::event(QEvent* event) {
  // A new font or style changes the heading's size.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
      event->type() == QEvent::LayoutRequest) {
    PlaceHeading();
  }
  return QGroupBox::event(event);
}

void HeadedGroupBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  option.text.clear();
  option.subControls = QStyle::SC_GroupBoxFrame;
  // The frame's top line runs through the middle of the heading.
  option.rect.setTop(heading_->height() / 2);
  painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

void HeadedGroupBox::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  PlaceHeading();
}

}  // namespace tolvanex::qt
