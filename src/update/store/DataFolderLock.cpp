// Taking and releasing the data folder's rebuild lock.
#include "update/store/DataFolderLock.h"

#include <cerrno>

#include "platform/FileOps.h"
#include "update/store/SwapPaths.h"

namespace mirabo {

DataFolderLock::DataFolderLock(const std::string& lockPath, FileOps& ops) : ops_(ops) {
  error_ = ops_.TryLockRegular(lockPath, handle_);
}

DataFolderLock::~DataFolderLock() {
  if (Held()) ops_.Unlock(handle_);
}

bool DataFolderLock::HeldElsewhere() const { return error_ == EWOULDBLOCK; }

UpdateStatus DataFolderLock::Status(const QString& folder) const {
  if (Held()) return {};
  if (HeldElsewhere()) return {.kind = UpdateStatus::kRebuildBusy, .folder = folder};
  if (error_ == FileOps::kNotRegularFile)
    return {.kind = UpdateStatus::kLockNotRegular, .file = kRebuildLockName, .folder = folder};
  // Neither readable nor writable to us: a lock file made by another account.
  if (error_ == EACCES)
    return {.kind = UpdateStatus::kLockOfOtherUser, .file = kRebuildLockName, .folder = folder,
            .reason = SystemReason(error_)};
  return {.kind = UpdateStatus::kNewFilesNotWritable, .folder = folder, .reason = SystemReason(error_)};
}

SwapLock::SwapLock(const std::string& lockPath, Use use, FileOps& ops, int waitMs) : ops_(ops) {
  error_ = ops_.OpenLockFile(lockPath, handle_);
  if (error_ != 0) {
    handle_ = -1;
    return;
  }
  constexpr int kStepMs = 20;
  for (int waited = 0;; waited += kStepMs) {
    error_ = ops_.TrySwapLock(handle_, use == kRead);
    if (error_ != EWOULDBLOCK || waited >= waitMs) break;
    ops_.Pause(kStepMs);
  }
}

SwapLock::~SwapLock() {
  if (handle_ >= 0) ops_.Unlock(handle_);
}

}  // namespace mirabo
