// One rebuild at a time per data folder: an exclusive lock on the folder's lock file.
#pragma once

#include <string>

#include "update/UpdateStatus.h"

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
