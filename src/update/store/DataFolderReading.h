// Opening the data files of a folder that a rebuild may be swapping, or may have
// left mid-way: only ever one whole set.
#pragma once

#include <optional>

#include <QString>

#include "platform/FileOps.h"
#include "update/store/DataFolderLock.h"
#include "update/UpdateStatus.h"

namespace mirabo {

class Platform;

// Settles a swap cut short (RecoverInterruptedSwap), then holds the swap's shared
// lock for its life, so that no swap starts while the files open. Waits up to
// `waitMs` for a swap under way, with the busy pointer. Status() is
// kSwapUnfinished, naming the reason, when the files would be a mix of two sets:
// the caller then opens nothing.
class DataFolderReading {
 public:
  // `platform` shows the busy pointer while waiting.
  DataFolderReading(const QString& dataFolder, Platform& platform, FileOps& ops, int waitMs = 5000);
  const UpdateStatus& Status() const { return status_; }

 private:
  std::optional<SwapLock> lock_;
  UpdateStatus status_;
};

}  // namespace mirabo
