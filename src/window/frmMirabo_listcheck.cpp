// The menu item that opens the address-list check over the main window's data set.
#include "window/dialogs/ListCheckWindow.h"
#include "window/frmMirabo.h"

namespace mirabo {

void frmMirabo::mListCheck_Click() {
  if (!listCheck_) listCheck_ = new ListCheckWindow(Data, platform_, this);
  listCheck_->show();
  listCheck_->raise();
}

ListCheckWindow* frmMirabo::ListCheck() const { return listCheck_; }

}  // namespace mirabo
