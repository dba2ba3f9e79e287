// The download's progress dialog, on a local event loop.
#include "window/dialogs/DownloadDialog.h"

#include <QEventLoop>
#include <QProgressDialog>

#include "update/download/NationalDownload.h"

namespace mirabo {

namespace {
// Bytes shown in units of this, so that any size up to the limit fits an int range.
constexpr qint64 kUnit = 1024;
}  // namespace

PreparedRebuild RunDownloadDialog(QWidget* parent, NationalDownload& download) {
  QProgressDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("DownloadDialog"));
  dialog.setWindowTitle(kDownloadTitle);
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setCancelButtonText(QStringLiteral("キャンセル"));
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  dialog.setMinimumDuration(0);
  dialog.setMinimumWidth(360);
  dialog.setRange(0, 0);  // moving bar until the size is known
  dialog.setLabelText(QStringLiteral("ダウンロードしています…\n") + DownloadProgressText(0, -1));

  QEventLoop loop;
  QObject::connect(&download, &NationalDownload::Progress, &dialog, [&dialog](qint64 received, qint64 total) {
    dialog.setLabelText(QStringLiteral("ダウンロードしています…\n") + DownloadProgressText(received, total));
    if (total <= 0) return;
    dialog.setRange(0, int(total / kUnit));
    dialog.setValue(int(qMin(received, total) / kUnit));
  });
  QObject::connect(&dialog, &QProgressDialog::canceled, &download, &NationalDownload::Cancel);
  QObject::connect(&download, &NationalDownload::Finished, &loop, &QEventLoop::quit);
  dialog.show();
  download.Start();
  if (download.IsRunning()) loop.exec();
  return download.Result();
}

}  // namespace mirabo
