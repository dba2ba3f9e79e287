// QFile::moveToTrash needs the user's data folder to exist: without it Qt 6.4 builds
// the trash folders relative to the working directory. Make sure it is there first.
#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

bool MoveFileToTrash(const QString& path) {
  if (!QFile::exists(path)) return true;
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (!dataHome.isEmpty() && QDir::isAbsolutePath(dataHome) && QDir().mkpath(dataHome) && QFile::moveToTrash(path))
    return true;
  return QFile::remove(path);
}
