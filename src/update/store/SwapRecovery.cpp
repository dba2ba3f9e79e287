// Rolling a cut-short swap back, or finishing it, from its journal.
#include "update/store/SwapRecovery.h"

#include "update/store/DataFolderLock.h"

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
  for (int file = 0; file < SwapPaths::kFiles; ++file)
    if (ops.Exists(paths.Old(file))) ops.MoveToTrash(paths.Old(file));
  for (int file = 0; file < SwapPaths::kFiles; ++file)
    if (const int error = RemoveIfThere(paths.Old(file), ops)) return error;
  return 0;
}

SwapRecovery RecoverSwapLocked(const SwapPaths& paths, FileOps& ops) {
  if (!HasSwapLeftovers(paths, ops)) return SwapRecovery::kNothing;
  if (!ops.Exists(paths.Journal())) {
    // A rebuild stopped while writing its new files, or after its swap was done.
    for (int file = 0; file < SwapPaths::kFiles; ++file)
      if (RemoveIfThere(paths.New(file), ops)) return SwapRecovery::kFailed;
    return TrashOldFiles(paths, ops) ? SwapRecovery::kFailed : SwapRecovery::kTidied;
  }
  std::string text;
  std::optional<OldFilesKept> kept;
  if (ops.ReadAll(paths.Journal(), text) == 0) kept = DecodeJournal(text);
  if (kept && SwapIsComplete(paths, *kept, ops))
    return FinishSwap(paths, ops) ? SwapRecovery::kFailed : SwapRecovery::kFinished;
  // An unreadable or partial journal was never followed by a rename: all data
  // files are still the old ones, and rolling back only removes the new files.
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
  return RecoverSwapLocked(paths, ops);
}
