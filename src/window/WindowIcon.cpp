// Draws the 32 x 32 window icon with the standard 16-colour palette.
#include "window/WindowIcon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace mirabo {

QIcon MiraboIcon() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setPen(QPen(QColor(128, 128, 128), 1));  // dark grey frame
  painter.setBrush(QColor(255, 255, 255));
  painter.drawRect(2, 2, 27, 27);
  painter.setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::FlatCap));  // the postal mark in red
  painter.drawLine(8, 8, 24, 8);
  painter.drawLine(8, 14, 24, 14);
  painter.drawLine(16, 14, 16, 26);
  painter.end();
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace mirabo
