// Taking and releasing the data folder's rebuild lock.
#include "update/DataFolderLock.h"

#include <cerrno>

#include "platform/FileOps.h"

DataFolderLock::DataFolderLock(const std::string& lockPath, FileOps& ops) : ops_(ops) {
  error_ = ops_.TryLock(lockPath, handle_);
}

DataFolderLock::~DataFolderLock() {
  if (Held()) ops_.Unlock(handle_);
}

bool DataFolderLock::HeldElsewhere() const { return error_ == EWOULDBLOCK; }
