// Swallows the user's input to one window while it works and lets pending events run.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace mirabo {

class InputBlocker : public QObject {
  Q_OBJECT
 public:
  explicit InputBlocker(QWidget* window);
  ~InputBlocker() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool BelongsToWindow(QObject* object) const;
  QPointer<QWidget> window_;
};

}  // namespace mirabo
