// The rebuild button and the update information.
#include "platform/Platform.h"
#include "update/Rebuild.h"
#include "update/SwapRecovery.h"
#include "update/UpdateInfo.h"
#include "window/BusyScope.h"
#include "window/frmMirabo.h"

void frmMirabo::Command3_Click() { RebuildFromFile(DataFolder + QStringLiteral("KEN_ALL.CSV")); }

// Rebuilds the data files from a national file and reloads the window; a refusal
// leaves the old data in place and says why.
void frmMirabo::RebuildFromFile(const QString& csvPath) {
  if (IsBusy()) return;
  bool closed = false;
  RebuildOutcome outcome;
  {
    BusyScope busy(*this, platform_, busy_);
    outcome = RebuildDataFiles(DataFolder, csvPath, platform_, [&] {
      Data.CloseAll();
      closed = true;
    });
    platform_.SetBusyPointer(false);
  }
  if (!outcome.ok) {
    // Nothing was replaced: the window keeps showing the old data as it was. A
    // rollback that failed half-way is tried once more before the files reopen.
    if (closed) {
      RecoverInterruptedSwap(DataFolder, platform_);
      Data.OpenDataFiles(DataFolder);
    }
    platform_.MessageBox(outcome.message, kRebuildTitle);
    return;
  }
  Form_Load();
  ShowRebuildDone(outcome.changes);
}

void frmMirabo::mInfo_Click() {
  const QString text = UpdateInfoText(IndexFileDate(DataFolder), Data.PrefCount, Data.CityCount, Data.IndexCount);
  platform_.MessageBox(text, kUpdateInfoTitle);
}
