// The counting, failing, killing and power-cutting file-system calls for tests.
#include "support/FaultyFileOps.h"

#include <QFileInfo>

namespace mirabo {

namespace {

QString Bare(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

// The folder an entry belongs to, ending in "/".
std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }
std::string WithSlash(const std::string& folder) { return folder.ends_with('/') ? folder : folder + '/'; }

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
    if (steps_ == powerCutAtStep_) {
      LoseUnsyncedEntries();
      throw ProcessKilled{};
    }
    if (steps_ == killAtStep_) throw ProcessKilled{};
    steps << what;
  }
  const bool fails = failAt_[kind] > 0 && calls_[kind] >= failAt_[kind] && calls_[kind] - failAt_[kind] < failTimes_[kind];
  return fails ? failWith_[kind] : 0;
}

int FaultyFileOps::ReadAll(const std::string& path, std::string& bytes) {
  if (const int error = Enter(kRead, false, {})) return error;
  return TestFileOps::ReadAll(path, bytes);
}

int FaultyFileOps::WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) {
  if (const int error = Enter(kWrite, true, "write " + Bare(path))) return error;
  if (Tracking() && !Exists(path)) Remember({.change = Unsynced::kCreated, .path = path});
  if (bytes.size() > diskRoom_) {
    TestFileOps::WriteDurably(path, bytes.substr(0, diskRoom_), permissionsFrom);
    return ENOSPC;
  }
  return TestFileOps::WriteDurably(path, bytes, permissionsFrom);
}

int FaultyFileOps::Rename(const std::string& from, const std::string& to) {
  if (const int error = Enter(kRename, true, "rename " + Bare(from) + ' ' + Bare(to))) return error;
  Unsynced change = Tracking() ? Before(to) : Unsynced{};
  const int error = TestFileOps::Rename(from, to);
  if (Tracking() && error == 0) {
    change.change = Unsynced::kRenamed;
    change.from = from;
    Remember(std::move(change));
  }
  return error;
}

int FaultyFileOps::RemoveStep(const QString& verb, const std::string& path) {
  if (const int error = Enter(kRemove, true, verb + ' ' + Bare(path))) return error;
  Unsynced change = Tracking() ? Before(path) : Unsynced{};
  const int error = TestFileOps::Remove(path);
  if (Tracking() && error == 0) {
    change.change = Unsynced::kRemoved;
    Remember(std::move(change));
  }
  return error;
}

int FaultyFileOps::Remove(const std::string& path) { return RemoveStep(QStringLiteral("remove"), path); }

int FaultyFileOps::MoveToTrash(const std::string& path, std::string* pathInTrash) {
  if (pathInTrash) pathInTrash->clear();
  return Exists(path) ? RemoveStep(QStringLiteral("trash"), path) : 0;
}

int FaultyFileOps::SyncFolder(const std::string& folder) {
  if (const int error = Enter(kSyncFolder, true, QStringLiteral("sync"))) return error;
  const int error = TestFileOps::SyncFolder(folder);
  if (error == 0)
    std::erase_if(unsynced_, [&](const Unsynced& change) { return FolderOf(change.path) == WithSlash(folder); });
  return error;
}

void FaultyFileOps::Pause(int) { ++pauses; }

FaultyFileOps::Unsynced FaultyFileOps::Before(const std::string& path) {
  Unsynced change{.path = path};
  change.hadBytes = Exists(path) && TestFileOps::ReadAll(path, change.bytes) == 0;
  return change;
}

void FaultyFileOps::LoseUnsyncedEntries() {
  FileOps& disk = Target();
  for (auto change = unsynced_.rbegin(); change != unsynced_.rend(); ++change) {
    switch (change->change) {
      case Unsynced::kCreated: disk.Remove(change->path); break;
      case Unsynced::kRenamed: disk.Rename(change->path, change->from); break;
      case Unsynced::kRemoved: break;
    }
    // A file replaced or removed comes back with the bytes it had.
    if (change->hadBytes) disk.WriteDurably(change->path, change->bytes, {});
  }
  unsynced_.clear();
}

int FaultyFileOps::CreateDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) {
  if (const int error = Enter(kWrite, true, "write " + Bare(path))) return error;
  if (beforeCreate) beforeCreate(path);
  const bool created = !Exists(path);
  if (bytes.size() > diskRoom_) {
    if (TestFileOps::CreateDurably(path, bytes.substr(0, diskRoom_), permissionsFrom) == 0 && Tracking())
      Remember({.change = Unsynced::kCreated, .path = path});
    return ENOSPC;
  }
  const int error = TestFileOps::CreateDurably(path, bytes, permissionsFrom);
  if (Tracking() && created && error == 0) Remember({.change = Unsynced::kCreated, .path = path});
  return error;
}

int FaultyFileOps::ReadRegular(const std::string& path, std::string& bytes, size_t maxBytes) {
  if (const int error = Enter(kRead, false, {})) return error;
  return TestFileOps::ReadRegular(path, bytes, maxBytes);
}

int FaultyFileOps::OpenRegularForReading(const std::string& path, size_t maxBytes, int& fd, std::int64_t& size) {
  if (const int error = Enter(kRead, false, {})) return error;
  return TestFileOps::OpenRegularForReading(path, maxBytes, fd, size);
}

int FaultyFileOps::TryLockRegular(const std::string& path, int& handle) {
  if (const int error = Enter(kLock, false, {})) return error;
  return TestFileOps::TryLockRegular(path, handle);
}

}  // namespace mirabo
