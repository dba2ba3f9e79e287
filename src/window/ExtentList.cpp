// Every line gets the extent as its width: the view then scrolls over exactly that
// width (a line is never narrower than the view), and measuring the lines' own text,
// which would cost far more while thousands are added, is never needed.
#include "window/ExtentList.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace mirabo {

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

void ExtentList::contextMenuEvent(QContextMenuEvent* event) {
  if (!lineMenu_) return QListWidget::contextMenuEvent(event);
  event->accept();
  if (event->reason() == QContextMenuEvent::Mouse) {
    emit lineMenuRequested(indexAt(event->pos()).row(), event->globalPos());
    return;
  }
  // From the keyboard the menu opens beside the selected line, wherever the mouse is.
  const int row = FirstSelectedRow();
  const QRect line = row >= 0 ? visualItemRect(item(row)) : QRect();
  const QPoint place = line.isValid() ? QPoint(line.left() + 16, line.bottom()) : QPoint(0, 0);
  emit lineMenuRequested(row, viewport()->mapToGlobal(place));
}

void ExtentList::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    event->accept();
    emit copyRequested();
    return;
  }
  QListWidget::keyPressEvent(event);
}

// A right-click that opens a line's menu is no choice of that line.
bool ExtentList::IsMenuClick(const QMouseEvent* event) const {
  return lineMenu_ && event->button() == Qt::RightButton;
}

void ExtentList::mousePressEvent(QMouseEvent* event) {
  if (IsMenuClick(event)) {
    event->accept();
    return;
  }
  selectedAtPress_ = FirstSelectedRow();
  QListWidget::mousePressEvent(event);
}

void ExtentList::mouseReleaseEvent(QMouseEvent* event) {
  if (IsMenuClick(event)) {
    event->accept();
    return;
  }
  QListWidget::mouseReleaseEvent(event);
}

// The second press of a double-click is no new choice: its release must not count as one.
void ExtentList::mouseDoubleClickEvent(QMouseEvent* event) {
  if (IsMenuClick(event)) {
    event->accept();
    return;
  }
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

}  // namespace mirabo
