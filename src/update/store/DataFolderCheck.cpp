// Write access and free space of the data folder, asked of the system before a rebuild.
#include "update/store/DataFolderCheck.h"

#include <cerrno>

#include <QFile>

#include <sys/statvfs.h>
#include <unistd.h>

#include "data/DataSet.h"

UpdateStatus DataFolderWriteProblem(const QString& dataFolder) {
  if (dataFolder.isEmpty()) return {.kind = UpdateStatus::kNoDataFolder};
  const QString folder = dataFolder.endsWith(u'/') ? dataFolder : dataFolder + u'/';
  int error = 0;
  if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) error = errno;
  for (const char* name : {datafile::Pref, datafile::City, datafile::Entry, datafile::Index}) {
    if (error != 0) break;
    const QByteArray path = QFile::encodeName(folder + QLatin1String(name));
    if (::access(path.constData(), F_OK) == 0 && ::access(path.constData(), W_OK) != 0) error = errno;
  }
  if (error == 0) return {};
  return {.kind = UpdateStatus::kFolderNotWritable, .folder = dataFolder, .reason = SystemReason(error)};
}

UpdateStatus DataFolderSpaceProblem(const QString& dataFolder, qint64 bytes) {
  struct statvfs info {};
  if (::statvfs(QFile::encodeName(dataFolder).constData(), &info) != 0) return {};
  const auto available = qint64(info.f_bavail) * qint64(info.f_frsize);
  if (available >= bytes) return {};
  return {.kind = UpdateStatus::kNewFilesNotWritable, .folder = dataFolder, .reason = SystemReason(ENOSPC)};
}
