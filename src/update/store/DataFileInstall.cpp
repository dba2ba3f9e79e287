// Writing the new data files beside the old ones, then swapping them in under a journal.
#include "update/store/DataFileInstall.h"

#include <array>
#include <cerrno>
#include <string_view>
#include <vector>

#include <QFile>
#include <QFileInfo>

#include "update/store/DataFolderLock.h"
#include "update/store/SwapPaths.h"
#include "update/store/SwapRecovery.h"

namespace mirabo {

namespace {

// The write or swap step that failed, with the system's reason.
UpdateStatus Failure(UpdateStatus::Kind kind, const QString& folder, int error) {
  return {.kind = kind, .folder = folder, .reason = SystemReason(error)};
}

std::string_view View(const QByteArray& bytes) { return {bytes.constData(), size_t(bytes.size())}; }

// Writes the four new files; on failure removes those written and returns the error.
int WriteNewFiles(const DataImage& image, const SwapPaths& paths, FileOps& ops) {
  const std::array<const QByteArray*, SwapPaths::kFiles> bytes{&image.pref, &image.city, &image.entry, &image.index};
  for (int file = 0; file < SwapPaths::kFiles; ++file) {
    // The new file takes the old one's permissions. It is created where nothing is:
    // a name planted meanwhile, a link above all, is never written through.
    if (const int error = ops.CreateDurably(paths.New(file), View(*bytes[file]), paths.Data(file))) {
      for (int written = 0; written <= file; ++written) ops.Remove(paths.New(written));
      return error;
    }
  }
  return 0;
}

// The renames: each old file keeps its bytes as "*.old" until the journal goes.
int SwapFiles(const SwapPaths& paths, const OldFilesKept& kept, FileOps& ops) {
  for (int file = 0; file < SwapPaths::kFiles; ++file) {
    if (kept[file])
      if (const int error = ops.Rename(paths.Data(file), paths.Old(file))) return error;
    if (const int error = ops.Rename(paths.New(file), paths.Data(file))) return error;
  }
  // All four names must be on the disk before the journal may go.
  return ops.SyncFolder(paths.Folder());
}

// After a failed step from the journal on: back to the old set if possible.
UpdateStatus RollBackAfter(int error, const QString& folder, const SwapPaths& paths, const OldFilesKept& kept,
                           FileOps& ops) {
  const RollBackResult rollBack = RollBackSwap(paths, kept, ops);
  if (rollBack.filesRestored) return Failure(UpdateStatus::kNewFilesNotPlaced, folder, error);
  if (SwapIsComplete(paths, kept, ops)) {
    // Only the last folder sync failed and the rollback could not start: the new
    // set is whole in place, and the next opening keeps it, so it is a success.
    FinishSwap(paths, ops);
    return {};
  }
  return Failure(UpdateStatus::kNewFilesRolledBackLater, folder, error);
}

// Why the files may not be renamed now: readers hold them open for too long, or the
// lock file is another account's. Without a lock file there are no readers to keep out.
UpdateStatus SwapLockProblem(const SwapLock& lock, const QString& folder) {
  if (lock.Held() || lock.NoLockFile()) return {};
  if (lock.Busy()) return {.kind = UpdateStatus::kRebuildBusy, .folder = folder};
  return {.kind = UpdateStatus::kLockOfOtherUser, .file = kRebuildLockName, .folder = folder,
          .reason = SystemReason(lock.Error())};
}

// The leftover that stays, named, with what it is when it is no file: a folder
// or a fifo planted under a swap's name cannot be cleared away.
UpdateStatus LeftoverProblem(const SwapPaths& paths, const QString& folder, FileOps& ops) {
  std::vector<std::string> names{paths.Journal()};
  for (int file = 0; file < SwapPaths::kFiles; ++file) names.insert(names.end(), {paths.New(file), paths.Old(file)});
  UpdateStatus problem{.kind = UpdateStatus::kSwapLeftovers, .folder = folder};
  for (const std::string& name : names) {
    if (!ops.Exists(name)) continue;
    const QFileInfo entry(QFile::decodeName(name.c_str()));
    problem.file = entry.fileName();
    if (entry.isDir() && !entry.isSymLink()) problem.reason = SystemReason(EISDIR);
    else if (!entry.isFile() || entry.isSymLink()) problem.reason = SystemReason(FileOps::kNotRegularFile);
    break;
  }
  return problem;
}

// Settles a swap cut short before, so that "*.old" files name this swap's only.
UpdateStatus SettleEarlierSwap(const SwapPaths& paths, const QString& folder, FileOps& ops) {
  const SwapLock swapping(paths.Lock(), SwapLock::kSwap, ops);
  if (UpdateStatus problem = SwapLockProblem(swapping, folder); !problem.ok()) return problem;
  if (RecoverSwapLocked(paths, ops) == SwapRecovery::kFailed || HasSwapLeftovers(paths, ops))
    return LeftoverProblem(paths, folder, ops);
  return {};
}

}  // namespace

UpdateStatus InstallDataImage(const DataImage& image, const QString& dataFolder, FileOps& ops,
                              const std::function<void()>& beforeSwap) {
  const SwapPaths paths(dataFolder);
  if (UpdateStatus problem = SettleEarlierSwap(paths, dataFolder, ops); !problem.ok()) return problem;

  OldFilesKept kept{};
  for (int file = 0; file < SwapPaths::kFiles; ++file) kept[file] = ops.Exists(paths.Data(file));
  if (const int error = WriteNewFiles(image, paths, ops))
    return Failure(UpdateStatus::kNewFilesNotWritable, dataFolder, error);
  if (beforeSwap) beforeSwap();
  const SwapLock swapping(paths.Lock(), SwapLock::kSwap, ops);
  if (UpdateStatus problem = SwapLockProblem(swapping, dataFolder); !problem.ok()) {
    for (int file = 0; file < SwapPaths::kFiles; ++file) ops.Remove(paths.New(file));
    return problem;
  }

  // The journal must be on the disk before the first rename, so that an opening
  // after a crash knows what to undo.
  int error = ops.CreateDurably(paths.Journal(), EncodeJournal(kept), {});
  if (error == 0) error = ops.SyncFolder(paths.Folder());
  if (error != 0) {
    RollBackSwap(paths, kept, ops);
    return Failure(UpdateStatus::kNewFilesNotWritable, dataFolder, error);
  }
  if ((error = SwapFiles(paths, kept, ops))) return RollBackAfter(error, dataFolder, paths, kept, ops);
  // The new set is complete and durable: from here on nothing can undo it.
  FinishSwap(paths, ops);
  return {};
}

}  // namespace mirabo
