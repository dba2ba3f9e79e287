// While a search or rebuild runs: the hourglass, one round of pending events, input ignored.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "window/InputBlocker.h"
#include "window/frmMirabo.h"

namespace mirabo {

class frmMirabo::BusyScope {
 public:
  // Shows the hourglass (unless another sign of work is shown, as a progress dialog),
  // starts ignoring the window's input, then lets pending events run.
  BusyScope(frmMirabo& window, Platform& platform, std::unique_ptr<InputBlocker>& slot, bool hourglass = true);
  // Stops ignoring input (the pointer is restored by the handler's own closing step),
  // and closes the window if the user asked for that meanwhile.
  ~BusyScope();

 private:
  frmMirabo& window_;
  Platform& platform_;
  std::unique_ptr<InputBlocker>& slot_;
};

}  // namespace mirabo
