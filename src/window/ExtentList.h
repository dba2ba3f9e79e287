// A list box whose sideways scroll width is set from outside, as a pixel extent.
#pragma once

#include <QListWidget>

namespace mirabo {

class ExtentList : public QListWidget {
  Q_OBJECT
 public:
  explicit ExtentList(QWidget* parent = nullptr);

  // The list scrolls sideways over exactly this many pixels of line width (0: not at
  // all); longer lines are clipped, as in a list box.
  void SetHorizontalExtent(int pixels);
  int HorizontalExtent() const { return extent_; }

  // The first selected position, or -1.
  int FirstSelectedRow() const;

  // With a line menu, a right-click leaves the selection alone and asks for the menu
  // of the line under the mouse; the Menu key asks for the selected line's.
  void SetLineMenu(bool on) { lineMenu_ = on; }

 signals:
  // The menu of line `row` (-1: no line there, or none selected), to show at `globalPos`.
  void lineMenuRequested(int row, const QPoint& globalPos);
  // The platform's copy key (Ctrl+C); the list no longer copies its raw line itself.
  void copyRequested();
  // A mouse click on the line that was already selected: the selection does not
  // change, but the user chose that line again.
  void selectedLineClickedAgain();

 protected:
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void SizeRows(int first, int last);
  bool IsMenuClick(const QMouseEvent* event) const;

  int extent_ = 0;
  int rowHeight_ = 0;
  int selectedAtPress_ = -1;
  bool lineMenu_ = false;
};

}  // namespace mirabo
