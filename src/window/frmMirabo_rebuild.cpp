// Rebuilding the data: the rebuild button, and the national file by download, file
// dialog or drop, none of them unpacked or copied.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>

#include "platform/Platform.h"
#include "update/NationalFile.h"
#include "update/Rebuild.h"
#include "update/download/NationalDownload.h"
#include "window/BusyScope.h"
#include "window/dialogs/DownloadDialog.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {

// The one local .csv or .zip file that a drag carries, or an empty text.
QString DroppedNationalFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().first();
  if (!url.isLocalFile()) return {};
  const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
  return suffix == u"csv" || suffix == u"zip" ? url.toLocalFile() : QString();
}

}  // namespace

// The folder's KEN_ALL.CSV, or else one of the two archives as they are downloaded.
void frmMirabo::Command3_Click() {
  if (IsBusy()) return;
  const QString path = FindNationalFile(DataFolder, platform_.Files());
  const UpdateStatus none{.kind = UpdateStatus::kNoNationalFile, .folder = DataFolder};
  if (path.isEmpty()) return platform_.MessageBox(FailureMessage(none), kRebuildTitle);
  RebuildFromFile(path);
}

// Rebuilds the data files from a national file (the CSV or its ZIP) and reloads the
// window; a refusal leaves the old data in place and says why.
void frmMirabo::RebuildFromFile(const QString& csvPath) {
  if (IsBusy()) return;
  RunRebuild(kRebuildTitle, [&](const std::function<void()>& beforeSwap) {
    return RebuildDataFiles(DataFolder, csvPath, {.files = &platform_.Files(), .beforeSwap = beforeSwap});
  });
}

// Runs a rebuild under the hourglass, the window's files closed just before the swap.
void frmMirabo::RunRebuild(const QString& title, const RebuildRun& rebuild) {
  bool closed = false;
  RebuildOutcome outcome;
  {
    BusyScope busy(*this, platform_, busy_);
    outcome = rebuild([&] {
      Data.CloseAll();
      closed = true;
    });
    platform_.SetBusyPointer(false);
  }
  FinishRebuild(outcome, closed, title);
}

void frmMirabo::FinishRebuild(const RebuildOutcome& outcome, bool filesClosed, const QString& title) {
  if (!outcome.ok) {
    // Nothing was replaced: the window keeps showing the old data as it was. A
    // rollback that failed half-way is tried once more before the files reopen.
    if (filesClosed) OpenDataSet();
    platform_.MessageBox(FailureMessage(outcome.failure), title);
    return;
  }
  Form_Load();
  ShowRebuildDone(outcome.changes);
}

// Downloads under a progress dialog, then rebuilds from the bytes in memory.
void frmMirabo::Command5_Click() {
  if (IsBusy()) return;
  NationalDownload download(DownloadUrls(), kDefaultDownloadTimeoutSeconds);
  PreparedRebuild prepared;
  {
    BusyScope busy(*this, platform_, busy_, false);  // the dialog shows the work
    prepared = RunDownloadDialog(this, download);
  }
  if (!prepared.ok)
    return FinishRebuild(InstallRebuild(prepared, DataFolder, {.files = &platform_.Files()}), false, kDownloadTitle);
  RunRebuild(kDownloadTitle, [&](const std::function<void()>& beforeSwap) {
    return InstallRebuild(prepared, DataFolder, {.files = &platform_.Files(), .beforeSwap = beforeSwap});
  });
}

// The chooser starts where a browser saves what it downloads.
void frmMirabo::Command6_Click() {
  if (IsBusy()) return;
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  const QString path = platform_.ChooseOpenFile(QStringLiteral("ファイルを選んで更新…"), folder,
                                                QStringLiteral("郵便番号データ (*.csv *.CSV *.zip *.ZIP)"));
  if (!path.isEmpty()) RebuildFromFile(path);
}

void frmMirabo::Form_DragDrop(const QString& path) { RebuildFromFile(path); }

void frmMirabo::dragEnterEvent(QDragEnterEvent* event) {
  if (!IsBusy() && !DroppedNationalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMirabo::dropEvent(QDropEvent* event) {
  const QString path = DroppedNationalFile(event->mimeData());
  if (path.isEmpty() || IsBusy()) return;
  event->acceptProposedAction();
  // The rebuild starts once the drag has ended, so the program it came from is not kept waiting.
  QTimer::singleShot(0, this, [this, path] { Form_DragDrop(path); });
}

}  // namespace mirabo
