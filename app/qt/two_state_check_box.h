// A check box that the user ticks and unticks; the greyed state is the program's to set.
#pragma once

#include <QCheckBox>

namespace tolvanex::qt {

class TwoStateCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  // A click on a greyed box ticks it, as on a clear one.
  void nextCheckState() override {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
};

}  // namespace tolvanex::qt
