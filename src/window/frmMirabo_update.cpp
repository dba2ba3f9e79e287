// The rebuild button, the rebuild from any national file, and the update information.
#include "platform/Platform.h"
#include "update/NationalFile.h"
#include "update/Rebuild.h"
#include "update/SwapRecovery.h"
#include "update/UpdateInfo.h"
#include "window/BusyScope.h"
#include "window/frmMirabo.h"

// The folder's KEN_ALL.CSV, or else one of the two archives as they are downloaded.
void frmMirabo::Command3_Click() {
  if (IsBusy()) return;
  const QString path = FindNationalFile(DataFolder);
  const UpdateStatus none{.kind = UpdateStatus::kNoNationalFile, .folder = DataFolder};
  if (path.isEmpty()) return platform_.MessageBox(FailureMessage(none), kRebuildTitle);
  RebuildFromFile(path);
}

// Rebuilds the data files from a national file (the CSV or its ZIP) and reloads the
// window; a refusal leaves the old data in place and says why.
void frmMirabo::RebuildFromFile(const QString& csvPath) {
  if (IsBusy()) return;
  RunRebuild(kRebuildTitle, [&](const std::function<void()>& beforeSwap) {
    return RebuildDataFiles(DataFolder, csvPath, platform_, beforeSwap);
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
    if (filesClosed) {
      RecoverInterruptedSwap(DataFolder, platform_);
      Data.OpenDataFiles(DataFolder);
    }
    platform_.MessageBox(FailureMessage(outcome.failure), title);
    return;
  }
  Form_Load();
  ShowRebuildDone(outcome.changes);
}

void frmMirabo::mInfo_Click() {
  const QString text = UpdateInfoText(IndexFileDate(DataFolder), Data.PrefCount, Data.CityCount, Data.IndexCount);
  platform_.MessageBox(text, kUpdateInfoTitle);
}
