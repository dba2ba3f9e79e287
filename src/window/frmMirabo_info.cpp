// What the data holds and what the last rebuild changed: the update information, the
// rebuild's closing message and the change window it and the help menu open.
#include <QMenu>

#include "platform/Platform.h"
#include "update/changes/ChangeReport.h"
#include "window/dialogs/ChangeRows.h"
#include "update/Rebuild.h"
#include "update/UpdateInfo.h"
#include "window/dialogs/ChangeWindow.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {
const QString kShowChanges = QStringLiteral("変更一覧を表示");
const QString kChangesTitle = QStringLiteral("前回の更新での変更");
}  // namespace

void frmMirabo::BuildChangesItem() {
  mChanges = mmhelp->addAction(QStringLiteral("前回の更新での変更(&R)"));
  mChanges->setObjectName(QStringLiteral("mChanges"));
  connect(mChanges, &QAction::triggered, this, &frmMirabo::mChanges_Click);
  // The command-line companion may have rebuilt the folder meanwhile.
  connect(mmhelp, &QMenu::aboutToShow, this, &frmMirabo::RefreshChangesItem);
}

void frmMirabo::RefreshChangesItem() { mChanges->setEnabled(ChangeReportExists(DataFolder, platform_.Files())); }

void frmMirabo::ShowRebuildDone(const ChangeSummary& changes) {
  const QString text = RebuildDoneMessage(changes);
  const bool listed = changes.compared && changes.reportError.isEmpty() && changes.added + changes.removed > 0;
  if (!listed) {
    platform_.MessageBox(text, kRebuildTitle);
    return;
  }
  if (platform_.MessageBoxWithButton(text, kRebuildTitle, kShowChanges)) mChanges_Click();
}

void frmMirabo::mChanges_Click() {
  RefreshChangesItem();
  const ChangeReportRead report = ReadChangeReport(DataFolder, platform_.Files());
  if (!report.found || !report.failure.ok()) {
    platform_.MessageBox(report.found ? FailureMessage(report.failure) : QStringLiteral("前回の更新での変更の記録がありません。"),
                         kChangesTitle);
    return;
  }
  if (!changeWindow_) changeWindow_ = new ChangeWindow(platform_, this);
  changeWindow_->Load(ChangeRowsOf(report.changes));
  changeWindow_->show();
  changeWindow_->raise();
}

void frmMirabo::mInfo_Click() {
  const QString text = UpdateInfoText(IndexFileDate(DataFolder, platform_.Files()), Data.PrefCount, Data.CityCount, Data.IndexCount);
  platform_.MessageBox(text, kUpdateInfoTitle);
}

}  // namespace mirabo
