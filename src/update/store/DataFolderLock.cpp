// Taking and releasing the data folder's rebuild lock.
#include "update/store/DataFolderLock.h"

#include <cerrno>

#include "platform/FileOps.h"

DataFolderLock::DataFolderLock(const std::string& lockPath, FileOps& ops) : ops_(ops) {
  error_ = ops_.TryLock(lockPath, handle_);
}

DataFolderLock::~DataFolderLock() {
  if (Held()) ops_.Unlock(handle_);
}

bool DataFolderLock::HeldElsewhere() const { return error_ == EWOULDBLOCK; }

UpdateStatus DataFolderLock::Status(const QString& folder) const {
  if (Held()) return {};
  if (HeldElsewhere()) return {.kind = UpdateStatus::kRebuildBusy, .folder = folder};
  return {.kind = UpdateStatus::kNewFilesNotWritable, .folder = folder, .reason = SystemReason(error_)};
}
