// The horizontal range follows the set extent rather than the lines' own widths.
#include "window/ExtentList.h"

ExtentList::ExtentList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setUniformItemSizes(true);
  setTextElideMode(Qt::ElideNone);  // a list box clips long lines; it does not shorten them
}

// With uniform item sizes the first line's size stands for every line, so giving it
// the extent as its width makes the list scroll over exactly that width.
void ExtentList::SetHorizontalExtent(int pixels) {
  extent_ = qMax(0, pixels);
  if (count() == 0) return;
  QListWidgetItem* first = item(0);
  first->setSizeHint(QSize());
  const int height = sizeHintForRow(0);
  first->setSizeHint(QSize(qMax(1, extent_), height));
}

int ExtentList::FirstSelectedRow() const {
  for (int row = 0; row < count(); ++row)
    if (item(row)->isSelected()) return row;
  return -1;
}
