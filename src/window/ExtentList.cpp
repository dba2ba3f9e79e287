// The horizontal range follows the set extent rather than the lines' own widths.
#include "window/ExtentList.h"

#include <QScrollBar>

ExtentList::ExtentList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setUniformItemSizes(true);
}

void ExtentList::SetHorizontalExtent(int pixels) {
  extent_ = qMax(0, pixels);
  updateGeometries();
}

int ExtentList::FirstSelectedRow() const {
  for (int row = 0; row < count(); ++row)
    if (item(row)->isSelected()) return row;
  return -1;
}

void ExtentList::updateGeometries() {
  QListWidget::updateGeometries();
  QScrollBar* bar = horizontalScrollBar();
  bar->setRange(0, qMax(0, extent_ - viewport()->width()));
  bar->setPageStep(viewport()->width());
}
