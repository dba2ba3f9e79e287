// The real file system behind FileSystemQuery.
#include "platform/FileSystemQuery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool DiskFileSystem::IsFolder(const QString& path) const { return QFileInfo(path).isDir(); }

bool DiskFileSystem::IsFile(const QString& path) const {
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

bool DiskFileSystem::MakeFolder(const QString& path) { return QDir().mkpath(path) && IsFolder(path); }

bool DiskFileSystem::TouchFile(const QString& path) {
  if (IsFile(path)) return true;
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || IsFile(path);
}
