// A short note over the bottom of a list that says what was copied, then fades away.
#pragma once

#include <QLabel>
#include <QTimer>

class QAbstractScrollArea;
class QGraphicsOpacityEffect;
class QPropertyAnimation;

namespace mirabo {

// Lies over the list's lines like a tooltip: it takes no room of its own, so no control
// moves, and lets the mouse through to the lines below it.
class CopyNotice : public QLabel {
  Q_OBJECT
 public:
  explicit CopyNotice(QAbstractScrollArea* list);

  // Shows "コピーしました: " and the copied text (its line breaks as spaces, cut to the
  // list's width) for two seconds, then fades it out; a new copy starts it afresh.
  void ShowCopied(const QString& text);

  static constexpr int kShownMs = 2000;
  static constexpr int kFadeMs = 400;

 private:
  QWidget* viewport_;
  QTimer shown_;
  QGraphicsOpacityEffect* opacity_;
  QPropertyAnimation* fade_;
};

}  // namespace mirabo
