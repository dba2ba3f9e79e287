// Putting a freshly built data set in place of the old one as one step.
#pragma once

#include <functional>

#include <QString>

#include "platform/FileOps.h"
#include "update/DataImage.h"
#include "update/UpdateStatus.h"

namespace mirabo {

// With the folder's rebuild lock held by the caller: settles any swap cut short
// before, writes the four files of `image` as "*.new" files in `dataFolder` (ending
// in "/") and flushes them to the disk, calls `beforeSwap` (the caller closes its
// files there), writes the journal, and renames each old file to "*.old" and each
// new one to its data file's name. Once all four are in place the journal goes and
// the old files move to the trash. Every file call goes through `ops`.
//
// Returns ok on success, else why it failed. A failure rolls back at once; should
// the rollback itself fail, the next opening of the folder finishes it from the
// journal. Either way the old set stays, byte for byte.
UpdateStatus InstallDataImage(const DataImage& image, const QString& dataFolder, FileOps& ops,
                              const std::function<void()>& beforeSwap = {});

}  // namespace mirabo
