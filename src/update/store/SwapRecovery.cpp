// Rolling a cut-short swap back, or finishing it, from its journal.
#include "update/store/SwapRecovery.h"

#include <string>
#include <vector>

#include "platform/TrashGenerations.h"
#include "update/store/DataFolderLock.h"

namespace mirabo {

namespace {

int RemoveIfThere(const std::string& path, FileOps& ops) { return ops.Exists(path) ? ops.Remove(path) : 0; }

// Brings one data file back to its old version.
int RestoreFile(const SwapPaths& paths, int file, const std::optional<OldFilesKept>& kept, FileOps& ops) {
  if (ops.Exists(paths.Old(file))) {
    // rename() replaces a new version already in place in one step.
    if (const int error = ops.Rename(paths.Old(file), paths.Data(file))) return error;
  } else if (kept && !(*kept)[file] && !ops.Exists(paths.New(file))) {
    // There was no old version, and the new one has been renamed into place.
    if (const int error = RemoveIfThere(paths.Data(file), ops)) return error;
  }
  return RemoveIfThere(paths.New(file), ops);
}

// A journal holds a few hundred bytes; anything larger is not one this program wrote.
constexpr size_t kMaxJournalBytes = 64 * 1024;

// How many data files RollBackSwap leaves: each ".old" file comes back, and a data
// file stays unless the journal says it had no old version and its new one is placed.
int DataFilesAfterRollBack(const SwapPaths& paths, const std::optional<OldFilesKept>& kept, FileOps& ops) {
  int left = 0;
  for (int file = 0; file < SwapPaths::kFiles; ++file) {
    const bool removed = !ops.Exists(paths.Old(file)) && kept && !(*kept)[file] && !ops.Exists(paths.New(file));
    if (ops.Exists(paths.Old(file)) || (!removed && ops.Exists(paths.Data(file)))) ++left;
  }
  return left;
}

// Clearing leftovers without a journal removes ".old" files: only once all four data
// files are there may the old versions go.
bool TidyingKeepsAWholeSet(const SwapPaths& paths, FileOps& ops) {
  bool anyOld = false, allData = true;
  for (int file = 0; file < SwapPaths::kFiles; ++file) {
    anyOld = anyOld || ops.Exists(paths.Old(file));
    allData = allData && ops.Exists(paths.Data(file));
  }
  return allData || !anyOld;
}

}  // namespace

bool HasSwapLeftovers(const SwapPaths& paths, FileOps& ops) {
  if (ops.Exists(paths.Journal())) return true;
  for (int file = 0; file < SwapPaths::kFiles; ++file)
    if (ops.Exists(paths.New(file)) || ops.Exists(paths.Old(file))) return true;
  return false;
}

bool SwapIsComplete(const SwapPaths& paths, const OldFilesKept& kept, FileOps& ops) {
  for (int file = 0; file < SwapPaths::kFiles; ++file) {
    if (ops.Exists(paths.New(file)) || !ops.Exists(paths.Data(file))) return false;
    if (kept[file] && !ops.Exists(paths.Old(file))) return false;
  }
  return true;
}

RollBackResult RollBackSwap(const SwapPaths& paths, const std::optional<OldFilesKept>& kept, FileOps& ops) {
  RollBackResult result;
  for (int file = 0; file < SwapPaths::kFiles; ++file)
    if ((result.error = RestoreFile(paths, file, kept, ops))) return result;
  result.filesRestored = true;
  // The restored names must be on the disk before the journal that explains them goes.
  if ((result.error = ops.SyncFolder(paths.Folder()))) return result;
  if ((result.error = RemoveIfThere(paths.Journal(), ops))) return result;
  result.error = ops.SyncFolder(paths.Folder());
  return result;
}

int FinishSwap(const SwapPaths& paths, FileOps& ops) {
  if (const int error = ops.SyncFolder(paths.Folder())) return error;
  if (const int error = RemoveIfThere(paths.Journal(), ops)) return error;
  // Without the journal on the disk no old file may go: a journal that came back
  // after a power cut would find its old files missing.
  if (const int error = ops.SyncFolder(paths.Folder())) return error;
  // The swap is done here; old files the trash refuses are tidied at the next opening.
  TrashOldFiles(paths, ops);
  return 0;
}

int TrashOldFiles(const SwapPaths& paths, FileOps& ops) {
  std::vector<std::string> olds;
  for (int file = 0; file < SwapPaths::kFiles; ++file)
    if (ops.Exists(paths.Old(file))) olds.push_back(paths.Old(file));
  // One update's old set: the trash keeps the two newest.
  MoveGenerationToTrash(olds, TrashRecordPath(), ops);
  for (int file = 0; file < SwapPaths::kFiles; ++file)
    if (const int error = RemoveIfThere(paths.Old(file), ops)) return error;
  return 0;
}

SwapRecovery RecoverSwapLocked(const SwapPaths& paths, FileOps& ops) {
  if (!HasSwapLeftovers(paths, ops)) return SwapRecovery::kNothing;
  if (!ops.Exists(paths.Journal())) {
    // A rebuild stopped while writing its new files, or after its swap was done.
    if (!TidyingKeepsAWholeSet(paths, ops)) return SwapRecovery::kDamaged;
    for (int file = 0; file < SwapPaths::kFiles; ++file)
      if (RemoveIfThere(paths.New(file), ops)) return SwapRecovery::kFailed;
    return TrashOldFiles(paths, ops) ? SwapRecovery::kFailed : SwapRecovery::kTidied;
  }
  std::string text;
  std::optional<OldFilesKept> kept;
  // A fifo, a link or a huge file in the journal's place reads as no journal at all.
  if (ops.ReadRegular(paths.Journal(), text, kMaxJournalBytes) == 0) kept = DecodeJournal(text);
  if (kept && SwapIsComplete(paths, *kept, ops))
    return FinishSwap(paths, ops) ? SwapRecovery::kFailed : SwapRecovery::kFinished;
  // An unreadable or partial journal was never followed by a rename: all data
  // files are still the old ones, and rolling back only removes the new files.
  // A journal that was crafted, or damaged after renames, could lead the rollback
  // to remove data files: it goes ahead only when it ends with a whole set, or
  // with none at all, as before a first import.
  const int left = DataFilesAfterRollBack(paths, kept, ops);
  if (left != 0 && left != SwapPaths::kFiles) return SwapRecovery::kDamaged;
  return RollBackSwap(paths, kept, ops).error ? SwapRecovery::kFailed : SwapRecovery::kRolledBack;
}

SwapRecovery RecoverInterruptedSwap(const QString& dataFolder, FileOps& ops, int waitMs) {
  const SwapPaths paths(dataFolder);
  if (!HasSwapLeftovers(paths, ops)) return SwapRecovery::kNothing;
  const DataFolderLock lock(paths.Lock(), ops);
  if (lock.HeldElsewhere()) {
    // A live rebuild: its swap takes a few renames; open after it rather than mid-way.
    constexpr int kStepMs = 20;
    for (int waited = 0; waited < waitMs && ops.Exists(paths.Journal()); waited += kStepMs) ops.Pause(kStepMs);
    return SwapRecovery::kBusy;
  }
  if (!lock.Held()) return SwapRecovery::kFailed;
  // Readers opening the files wait while the leftovers are settled.
  const SwapLock swapping(paths.Lock(), SwapLock::kSwap, ops, waitMs);
  if (swapping.Busy()) return SwapRecovery::kBusy;
  return RecoverSwapLocked(paths, ops);
}

}  // namespace mirabo
