// File-system calls that fail, stop the program or lose power at a chosen call, for tests.
#pragma once

#include <array>
#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include <QStringList>

#include "platform/FileOps.h"

namespace mirabo {

// Thrown in place of a call, as if the process had been killed (or the power cut)
// just before it.
struct ProcessKilled {};

// The system's calls, except that the trash is a plain removal: tests never fill
// the user's trash.
class TestFileOps : public FileOpsWrapper {
 public:
  int MoveToTrash(const std::string& path, std::string* pathInTrash = nullptr) override {
    if (pathInTrash) pathInTrash->clear();
    return Exists(path) ? Remove(path) : 0;
  }
};

// Passes every call on to TestFileOps, counting them by kind, except where told:
// the n-th call of a kind fails with an error, or at the n-th step (a call that
// changes the folder: write or create, rename, remove, trash, folder sync) the process is
// killed, or the power is cut.
//
// A power cut loses what the disk had not made durable. Every write here flushes
// its file's data, so what is lost are the folder's entries since its last sync:
// files created since then disappear, and renames and removals since then are
// undone, the latest first.
class FaultyFileOps : public TestFileOps {
 public:
  enum Kind { kWrite, kRead, kRename, kRemove, kSyncFolder, kLock, kKinds };

  FaultyFileOps() = default;
  FaultyFileOps(const FaultyFileOps&) = delete;
  FaultyFileOps& operator=(const FaultyFileOps&) = delete;

  // Fails `times` calls of `kind` from the `nth` on (counting from 1) with `error`.
  void FailNth(Kind kind, int nth, int error = EIO, int times = 1);
  // The `nth` step never runs: ProcessKilled is thrown in its place.
  void KillAtStep(int nth) { killAtStep_ = nth; }
  // The same, and the folder loses the entries it had not synced before the step.
  void CutPowerAtStep(int nth) { powerCutAtStep_ = nth; }
  // Each write stops after `bytes` bytes of the file with ENOSPC, as on a full disk.
  void FillDiskAfter(size_t bytes) { diskRoom_ = bytes; }

  int Calls(Kind kind) const { return calls_[kind]; }
  int Steps() const { return steps_; }
  int pauses = 0;
  // Each step as "rename fuken.DAT.new fuken.DAT", with bare file names.
  QStringList steps;
  // Runs just before each new file is created: another user's hand in a shared folder.
  std::function<void(const std::string& path)> beforeCreate;

  int ReadAll(const std::string& path, std::string& bytes) override;
  int WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override;
  int Rename(const std::string& from, const std::string& to) override;
  int Remove(const std::string& path) override;
  int MoveToTrash(const std::string& path, std::string* pathInTrash = nullptr) override;
  int SyncFolder(const std::string& folder) override;
  void Pause(int milliseconds) override;
  int CreateDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override;
  int ReadRegular(const std::string& path, std::string& bytes, size_t maxBytes) override;
  int OpenRegularForReading(const std::string& path, size_t maxBytes, int& fd, std::int64_t& size) override;
  int TryLockRegular(const std::string& path, int& handle) override;

 private:
  // Counts the call; returns the error it must fail with, or 0 to go ahead.
  int Enter(Kind kind, bool step, const QString& what);
  int RemoveStep(const QString& verb, const std::string& path);

  // One change of a folder's entries that a power cut would undo.
  struct Unsynced {
    enum Change { kCreated, kRenamed, kRemoved };
    Change change = kCreated;
    std::string path{};  // the file created or removed, or the rename's target
    std::string from{};  // the rename's source
    bool hadBytes = false;  // a file was there before, holding `bytes`
    std::string bytes{};
  };
  bool Tracking() const { return powerCutAtStep_ > 0; }
  void Remember(Unsynced change) { unsynced_.push_back(std::move(change)); }
  // The bytes of the file at `path` now, to put back on a power cut.
  Unsynced Before(const std::string& path);
  void LoseUnsyncedEntries();

  std::array<int, kKinds> calls_{};
  std::array<int, kKinds> failAt_{};
  std::array<int, kKinds> failWith_{};
  std::array<int, kKinds> failTimes_{};
  int steps_ = 0;
  int killAtStep_ = 0;
  int powerCutAtStep_ = 0;
  size_t diskRoom_ = size_t(-1);
  std::vector<Unsynced> unsynced_;
};

}  // namespace mirabo
