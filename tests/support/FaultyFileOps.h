// File-system calls that fail, or stop the program, at a chosen call, for tests.
#pragma once

#include <array>
#include <cerrno>

#include <QStringList>

#include "platform/FileOps.h"

// Thrown in place of a call, as if the process had been killed just before it.
struct ProcessKilled {};

// Passes every call on to the system, counting them by kind, except where told:
// the n-th call of a kind fails with an error, or the n-th step (a call that
// changes the folder: write, rename, remove, folder sync) throws ProcessKilled.
class FaultyFileOps : public FileOps {
 public:
  enum Kind { kWrite, kRead, kRename, kRemove, kSyncFolder, kLock, kKinds };

  // Fails `times` calls of `kind` from the `nth` on (counting from 1) with `error`.
  void FailNth(Kind kind, int nth, int error = EIO, int times = 1);
  void KillAtStep(int nth) { killAtStep_ = nth; }

  int Calls(Kind kind) const { return calls_[kind]; }
  int Steps() const { return steps_; }
  int pauses = 0;
  // Each step as "rename fuken.DAT.new fuken.DAT", with bare file names.
  QStringList steps;

  int WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override;
  int ReadAll(const std::string& path, std::string& bytes) override;
  int Rename(const std::string& from, const std::string& to) override;
  int Remove(const std::string& path) override;
  int SyncFolder(const std::string& folder) override;
  bool Exists(const std::string& path) override;
  int TryLock(const std::string& path, int& handle) override;
  void Unlock(int handle) override;
  void Pause(int milliseconds) override;

 private:
  // Counts the call; returns the error it must fail with, or 0 to go ahead.
  int Enter(Kind kind, bool step, const QString& what);

  std::array<int, kKinds> calls_{};
  std::array<int, kKinds> failAt_{};
  std::array<int, kKinds> failWith_{};
  std::array<int, kKinds> failTimes_{};
  int steps_ = 0;
  int killAtStep_ = 0;
};
