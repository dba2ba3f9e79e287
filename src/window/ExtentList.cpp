// Every line gets the extent as its width: the view then scrolls over exactly that
// width (a line is never narrower than the view), and measuring the lines' own text,
// which would cost far more while thousands are added, is never needed.
#include "window/ExtentList.h"

#include <QEvent>
#include <QMouseEvent>

ExtentList::ExtentList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setTextElideMode(Qt::ElideNone);  // a list box clips long lines; it does not shorten them
  connect(model(), &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { SizeRows(first, last); });
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const bool again = selectedAtPress_ >= 0 && row(item) == selectedAtPress_;
    selectedAtPress_ = -1;
    if (again) emit selectedLineClickedAgain();
  });
}

void ExtentList::SetHorizontalExtent(int pixels) {
  const int extent = qMax(0, pixels);
  if (extent == extent_) return;
  extent_ = extent;
  SizeRows(0, count() - 1);
}

int ExtentList::FirstSelectedRow() const {
  for (int row = 0; row < count(); ++row)
    if (item(row)->isSelected()) return row;
  return -1;
}

void ExtentList::changeEvent(QEvent* event) {
  QListWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    rowHeight_ = 0;
    SizeRows(0, count() - 1);
  }
}

void ExtentList::mousePressEvent(QMouseEvent* event) {
  selectedAtPress_ = FirstSelectedRow();
  QListWidget::mousePressEvent(event);
}

// The second press of a double-click is no new choice: its release must not count as one.
void ExtentList::mouseDoubleClickEvent(QMouseEvent* event) {
  selectedAtPress_ = -1;
  QListWidget::mouseDoubleClickEvent(event);
}

void ExtentList::SizeRows(int first, int last) {
  if (first > last) return;
  if (rowHeight_ == 0) {
    item(first)->setSizeHint(QSize());
    rowHeight_ = sizeHintForRow(first);  // the font's line height, as the delegate draws it
  }
  const QSize size(qMax(1, extent_), rowHeight_);
  for (int row = first; row <= last; ++row) item(row)->setSizeHint(size);
}
