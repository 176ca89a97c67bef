#include "app/qt/window_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resource file of a static library is registered by name.
static void RegisterIconResource() {
  Q_INIT_RESOURCE(tolvanex);
}

namespace tolvanex::qt {

QIcon WindowIcon() {
  RegisterIconResource();
  // Drawn here rather than by an icon plugin, which an installation may lack.
  QSvgRenderer picture(QStringLiteral(":/icons/tolvanex.svg"));
  QIcon icon;
  if (!picture.isValid()) return icon;
  for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    picture.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tolvanex::qt
