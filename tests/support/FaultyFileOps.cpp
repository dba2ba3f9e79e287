// The counting, failing and killing file-system calls for tests.
#include "support/FaultyFileOps.h"

#include <QFileInfo>

namespace {

QString Bare(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

}  // namespace

void FaultyFileOps::FailNth(Kind kind, int nth, int error, int times) {
  failAt_[kind] = nth;
  failWith_[kind] = error;
  failTimes_[kind] = times;
}

int FaultyFileOps::Enter(Kind kind, bool step, const QString& what) {
  ++calls_[kind];
  if (step) {
    ++steps_;
    if (steps_ == killAtStep_) throw ProcessKilled{};
    steps << what;
  }
  const bool fails = failAt_[kind] > 0 && calls_[kind] >= failAt_[kind] && calls_[kind] - failAt_[kind] < failTimes_[kind];
  return fails ? failWith_[kind] : 0;
}

int FaultyFileOps::WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) {
  if (const int error = Enter(kWrite, true, "write " + Bare(path))) return error;
  return SystemFileOps().WriteDurably(path, bytes, permissionsFrom);
}

int FaultyFileOps::ReadAll(const std::string& path, std::string& bytes) {
  if (const int error = Enter(kRead, false, {})) return error;
  return SystemFileOps().ReadAll(path, bytes);
}

int FaultyFileOps::Rename(const std::string& from, const std::string& to) {
  if (const int error = Enter(kRename, true, "rename " + Bare(from) + ' ' + Bare(to))) return error;
  return SystemFileOps().Rename(from, to);
}

int FaultyFileOps::Remove(const std::string& path) {
  if (const int error = Enter(kRemove, true, "remove " + Bare(path))) return error;
  return SystemFileOps().Remove(path);
}

int FaultyFileOps::SyncFolder(const std::string& folder) {
  if (const int error = Enter(kSyncFolder, true, QStringLiteral("sync"))) return error;
  return SystemFileOps().SyncFolder(folder);
}

bool FaultyFileOps::Exists(const std::string& path) { return SystemFileOps().Exists(path); }

int FaultyFileOps::TryLock(const std::string& path, int& handle) {
  if (const int error = Enter(kLock, false, {})) return error;
  return SystemFileOps().TryLock(path, handle);
}

void FaultyFileOps::Unlock(int handle) { SystemFileOps().Unlock(handle); }

void FaultyFileOps::Pause(int) { ++pauses; }
