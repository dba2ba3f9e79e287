// The progress dialog of a download: bytes received so far and a cancel button.
#pragma once

#include "update/Rebuild.h"

class QWidget;

namespace mirabo {

class NationalDownload;

// Runs `download` to its end under a modal progress dialog over `parent`; the
// dialog's cancel button (or Esc) cancels it. Qt's event loop keeps running
// meanwhile, so the window repaints and the dialog takes input.
PreparedRebuild RunDownloadDialog(QWidget* parent, NationalDownload& download);

}  // namespace mirabo
