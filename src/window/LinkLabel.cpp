// The link label's mouse events and its hand pointer.
#include "window/LinkLabel.h"

#include <QBitmap>
#include <QMouseEvent>

namespace mirabo {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) { setCursor(PointingHandCursor()); }

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = true;
  emit mouseDown();
  event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  emit mouseUp();
  if (click) emit clicked();
  event->accept();
}

QCursor PointingHandCursor() {
  // '#' black outline, 'o' white inside, '.' transparent; the fingertip is the hot spot.
  static const char* const rows[32] = {
      "......##........................",
      ".....#oo#.......................",
      ".....#oo#.......................",
      ".....#oo#.......................",
      ".....#oo#.......................",
      ".....#oo###.....................",
      ".....#oo#oo###..................",
      ".....#oo#oo#oo##................",
      "..##.#oo#oo#oo#o#...............",
      ".#oo##oo#oo#oo#oo#..............",
      ".#ooo#oooooooooooo#.............",
      "..#oo#oooooooooooo#.............",
      "...#oooooooooooooo#.............",
      "...#oooooooooooooo#.............",
      "....#ooooooooooooo#.............",
      "....#oooooooooooo#..............",
      ".....#ooooooooooo#..............",
      ".....#ooooooooooo#..............",
      "......#ooooooooo#...............",
      "......#ooooooooo#...............",
      "......###########...............",
      "................................",
      "................................",
      "................................",
      "................................",
      "................................",
      "................................",
      "................................",
      "................................",
      "................................",
      "................................",
      "................................",
  };
  QImage shape(32, 32, QImage::Format_MonoLSB);
  QImage mask(32, 32, QImage::Format_MonoLSB);
  shape.setColorCount(2);
  mask.setColorCount(2);
  shape.setColor(0, qRgb(255, 255, 255));
  shape.setColor(1, qRgb(0, 0, 0));
  mask.setColor(0, qRgb(255, 255, 255));
  mask.setColor(1, qRgb(0, 0, 0));
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const char c = rows[y][x];
      shape.setPixel(x, y, c == '#' ? 1 : 0);  // 1 draws black, 0 white
      mask.setPixel(x, y, c == '.' ? 0 : 1);   // 1 marks the drawn pixels
    }
  }
  return QCursor(QBitmap::fromImage(shape), QBitmap::fromImage(mask), 6, 0);
}

}  // namespace mirabo
