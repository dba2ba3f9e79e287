// The rebuild button and the update information.
#include "platform/Platform.h"
#include "update/Rebuild.h"
#include "update/UpdateInfo.h"
#include "window/BusyScope.h"
#include "window/frmMirabo.h"

void frmMirabo::Command3_Click() {
  if (IsBusy()) return;
  bool closed = false;
  RebuildOutcome outcome;
  {
    BusyScope busy(*this, platform_, busy_);
    outcome = RebuildDataFiles(DataFolder, DataFolder + QStringLiteral("KEN_ALL.CSV"), platform_, [&] {
      Data.CloseAll();
      closed = true;
    });
    platform_.SetBusyPointer(false);
  }
  if (!outcome.ok) {
    // Nothing was replaced: the window keeps showing the old data as it was.
    if (closed) Data.OpenDataFiles(DataFolder);
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
