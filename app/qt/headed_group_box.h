// A group box whose heading is a widget (a check box) sitting on its top edge, where a plain
// group box shows its title.
#pragma once

#include <QGroupBox>

namespace tolvanex::qt {

class HeadedGroupBox : public QGroupBox {
 public:
  // The heading becomes a child of the box.
  HeadedGroupBox(QWidget* heading, QWidget* parent = nullptr);

  QWidget* Heading() const { return heading_; }

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceHeading();

  QWidget* heading_;
};

}  // namespace tolvanex::qt
