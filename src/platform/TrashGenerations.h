// The old data files that updates move to the trash, kept to the newest few updates.
#pragma once

#include <string>
#include <vector>

#include <QString>

#include "platform/FileOps.h"

namespace mirabo {

// Moves `paths` to the trash (FileOps::MoveToTrash) as one generation, the old set
// of one update, and adds where each landed to `record`. Then removes from the
// trash the files of all but the newest `keep` generations in the record, each with
// its trash information: only files this program recorded, nothing else there.
// True when all of `paths` are gone from their places.
bool MoveGenerationToTrash(const std::vector<std::string>& paths, const QString& record, FileOps& ops, int keep = 2);

// The record of the user's own trash, in the user's data folder.
QString TrashRecordPath();

}  // namespace mirabo
