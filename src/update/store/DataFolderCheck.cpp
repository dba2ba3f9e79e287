// Write access and free space of the data folder, asked of the system before a rebuild.
#include "update/store/DataFolderCheck.h"

#include <cerrno>

#include <unistd.h>

#include "data/DataSet.h"

namespace mirabo {

UpdateStatus DataFolderWriteProblem(const QString& dataFolder, FileOps& ops) {
  if (dataFolder.isEmpty()) return {.kind = UpdateStatus::kNoDataFolder};
  const std::string folder = EncodedPath(dataFolder.endsWith(u'/') ? dataFolder : dataFolder + u'/');
  int error = ops.Access(folder, W_OK | X_OK);
  for (const char* name : {datafile::Pref, datafile::City, datafile::Entry, datafile::Index}) {
    if (error != 0) break;
    const std::string path = folder + name;
    if (ops.Access(path, F_OK) == 0) error = ops.Access(path, W_OK);
  }
  if (error == 0) return {};
  return {.kind = UpdateStatus::kFolderNotWritable, .folder = dataFolder, .reason = SystemReason(error)};
}

UpdateStatus DataFolderSpaceProblem(const QString& dataFolder, qint64 bytes, FileOps& ops) {
  std::int64_t available = 0;
  if (ops.FreeSpace(EncodedPath(dataFolder), available) != 0 || available >= bytes) return {};
  return {.kind = UpdateStatus::kNewFilesNotWritable, .folder = dataFolder, .reason = SystemReason(ENOSPC)};
}

}  // namespace mirabo
