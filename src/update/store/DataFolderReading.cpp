// The reader's side of the swap: settle, then open under the shared lock.
#include "update/store/DataFolderReading.h"

#include "platform/Platform.h"
#include "update/store/DataFolderCheck.h"
#include "update/store/SwapRecovery.h"

namespace mirabo {

namespace {

// Why a swap cut short could not be settled here.
QString UnsettledReason(SwapRecovery recovery, const QString& folder, FileOps& ops) {
  if (recovery == SwapRecovery::kDamaged) return QStringLiteral("残っているファイルでは一組のデータにそろいません");
  // Most often: the folder or its files belong to another account.
  const UpdateStatus access = DataFolderWriteProblem(folder, ops);
  return access.ok() ? QStringLiteral("入れ替えの記録を片付けられません") : access.reason;
}

}  // namespace

DataFolderReading::DataFolderReading(const QString& dataFolder, Platform& platform, FileOps& ops, int waitMs) {
  if (dataFolder.isEmpty()) return;
  const SwapPaths paths(dataFolder);
  const SwapRecovery recovery = RecoverInterruptedSwap(dataFolder, ops, waitMs);
  lock_.emplace(paths.Lock(), SwapLock::kRead, ops, 0);
  if (lock_->Busy()) {
    platform.SetBusyPointer(true);
    lock_.emplace(paths.Lock(), SwapLock::kRead, ops, waitMs);
    platform.SetBusyPointer(false);
  }
  QString reason;
  if (lock_->Busy()) reason = QStringLiteral("別のプログラムがデータファイルを入れ替えています");
  else if (recovery == SwapRecovery::kDamaged || ops.Exists(paths.Journal()))
    reason = UnsettledReason(recovery, dataFolder, ops);
  else return;
  status_ = {.kind = UpdateStatus::kSwapUnfinished, .folder = dataFolder, .reason = reason};
}

}  // namespace mirabo
