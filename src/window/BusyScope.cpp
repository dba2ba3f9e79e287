// The busy state of the main window.
#include "window/BusyScope.h"

#include <QTimer>

namespace mirabo {

frmMirabo::BusyScope::BusyScope(frmMirabo& window, Platform& platform, std::unique_ptr<InputBlocker>& slot,
                                bool hourglass)
    : window_(window), platform_(platform), slot_(slot) {
  if (hourglass) platform_.SetBusyPointer(true);
  slot_ = std::make_unique<InputBlocker>(&window_);
  platform_.ProcessPendingEvents();
}

frmMirabo::BusyScope::~BusyScope() {
  slot_.reset();
  if (window_.closeWhenIdle_) {
    window_.closeWhenIdle_ = false;
    QTimer::singleShot(0, &window_, &QWidget::close);
  }
}

}  // namespace mirabo
