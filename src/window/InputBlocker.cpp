// Mouse, key and shortcut input aimed at the window (its menus included) is dropped;
// message boxes shown meanwhile are separate modal windows and still take input.
#include "window/InputBlocker.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>

namespace mirabo {

InputBlocker::InputBlocker(QWidget* window) : window_(window) { qApp->installEventFilter(this); }

InputBlocker::~InputBlocker() { qApp->removeEventFilter(this); }

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
      return BelongsToWindow(watched);
    default:
      return false;
  }
}

bool InputBlocker::BelongsToWindow(QObject* object) const {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget || !window_) return false;
  QWidget* top = widget->window();
  if (top == window_) return true;
  // A drop-down menu of the menu bar is a window of its own, parented to the bar.
  return qobject_cast<QMenu*>(top) && window_->isAncestorOf(top->parentWidget());
}

}  // namespace mirabo
