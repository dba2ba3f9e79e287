// One rebuild at a time per data folder: an exclusive lock on the folder's lock file.
#pragma once

#include <cerrno>
#include <string>

#include "update/UpdateStatus.h"

namespace mirabo {

class FileOps;

// Tries once, without waiting, to take the lock; holds it for the object's life.
// The lock file stays in the folder: removing it would let a later process lock a
// new file while an earlier one still holds the old.
class DataFolderLock {
 public:
  DataFolderLock(const std::string& lockPath, FileOps& ops);
  ~DataFolderLock();
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;

  bool Held() const { return error_ == 0; }
  // Another process (or another lock in this one) holds the folder.
  bool HeldElsewhere() const;
  // Ok when held; else why a rebuild of `folder` may not go on: another one holds
  // it, or the folder is missing or cannot hold the lock file.
  UpdateStatus Status(const QString& folder) const;

 private:
  FileOps& ops_;
  int handle_ = -1;
  int error_ = 0;
};

// The swap's lock on the same lock file: exclusive while the data files are renamed,
// shared while a reader opens them, so that no reader ever opens a mixed set. Waits
// up to `waitMs` for it, in short pauses.
class SwapLock {
 public:
  enum Use { kSwap, kRead };
  SwapLock(const std::string& lockPath, Use use, FileOps& ops, int waitMs = 5000);
  ~SwapLock();
  SwapLock(const SwapLock&) = delete;
  SwapLock& operator=(const SwapLock&) = delete;

  bool Held() const { return error_ == 0; }
  // There is no lock file (no rebuild has run here), or it cannot be opened: no
  // rebuild can swap files here either.
  bool NoLockFile() const { return handle_ < 0; }
  // Held by another process after the wait.
  bool Busy() const { return error_ == EWOULDBLOCK; }
  // Why it is not held: EWOULDBLOCK, the reason the lock file cannot be opened, or
  // EBADF for a swap on a lock file this account may not write.
  int Error() const { return error_; }

 private:
  FileOps& ops_;
  int handle_ = -1;
  int error_ = 0;
};

}  // namespace mirabo
