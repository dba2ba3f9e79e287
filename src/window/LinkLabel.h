// A label that reports mouse button down, up and click, for the web link of the update panel.
#pragma once

#include <QLabel>

namespace mirabo {

class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(QWidget* parent = nullptr);

 signals:
  void mouseDown();
  void mouseUp();
  void clicked();  // after a press and a release on the label, following mouseUp

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// The pointing hand shown over the link: 32 x 32, a white hand with a black outline, index finger up.
QCursor PointingHandCursor();

}  // namespace mirabo
