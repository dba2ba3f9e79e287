// Checks made before a rebuild touches the data folder: write access and room.
#pragma once

#include <QString>

#include "platform/FileOps.h"
#include "update/UpdateStatus.h"

namespace mirabo {

// Why the four data files cannot be replaced in `dataFolder`, naming the folder and
// the system's reason; ok when they can. The folder itself and every data file
// already in it must be writable.
UpdateStatus DataFolderWriteProblem(const QString& dataFolder, FileOps& ops = SystemFileOps());

// Why `bytes` of new files do not fit beside the old ones in `dataFolder`; ok when
// they fit (or the free space cannot be told).
UpdateStatus DataFolderSpaceProblem(const QString& dataFolder, qint64 bytes, FileOps& ops = SystemFileOps());

}  // namespace mirabo
