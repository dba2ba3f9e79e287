// Checks made before a rebuild touches the data folder: write access and room.
#pragma once

#include <QString>

// Why the four data files cannot be replaced in `dataFolder`, in Japanese, naming
// the folder and the system's reason; empty when they can. The folder itself and
// every data file already in it must be writable.
QString DataFolderWriteProblem(const QString& dataFolder);

// Why `bytes` of new files do not fit beside the old ones in `dataFolder`; empty
// when they fit (or the free space cannot be told).
QString DataFolderSpaceProblem(const QString& dataFolder, qint64 bytes);
