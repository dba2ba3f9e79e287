// Putting a freshly built data set in place of the old one without ever losing both.
#pragma once

#include <functional>

#include <QString>

#include "update/DataImage.h"

class Platform;

// Writes the four files of `image` as temporary files in `dataFolder` (ending in
// "/") and flushes them to the disk. Only when all four are complete: calls
// `beforeSwap`, moves the old data files to the trash through `platform`, and renames
// the new files to the data files' names. Returns an empty text on success, else why
// it failed, in Japanese; a failure before the swap leaves the old files untouched
// and removes the temporary ones.
QString InstallDataImage(const DataImage& image, const QString& dataFolder, Platform& platform,
                         const std::function<void()>& beforeSwap);
