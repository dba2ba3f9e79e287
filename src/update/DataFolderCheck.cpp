// Write access and free space of the data folder, asked of the system before a rebuild.
#include "update/DataFolderCheck.h"

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>

#include <sys/statvfs.h>
#include <unistd.h>

#include "data/DataSet.h"

namespace {

const QString kUnchanged = QStringLiteral("データは変更していません。");

QString Shown(const QString& folder) { return QDir::toNativeSeparators(QDir(folder).absolutePath()); }

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

QString DataFolderWriteProblem(const QString& dataFolder) {
  if (dataFolder.isEmpty()) return QStringLiteral("データフォルダが見つかりません。") + kUnchanged;
  const QString folder = dataFolder.endsWith(u'/') ? dataFolder : dataFolder + u'/';
  int error = 0;
  if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) error = errno;
  for (const char* name : {datafile::Pref, datafile::City, datafile::Entry, datafile::Index}) {
    if (error != 0) break;
    const QByteArray path = QFile::encodeName(folder + QLatin1String(name));
    if (::access(path.constData(), F_OK) == 0 && ::access(path.constData(), W_OK) != 0) error = errno;
  }
  if (error == 0) return {};
  return QStringLiteral("データフォルダに書き込めません（フォルダ: %1、理由: %2）。%3")
      .arg(Shown(dataFolder), SystemReason(error), kUnchanged);
}

QString DataFolderSpaceProblem(const QString& dataFolder, qint64 bytes) {
  struct statvfs info {};
  if (::statvfs(QFile::encodeName(dataFolder).constData(), &info) != 0) return {};
  const auto available = qint64(info.f_bavail) * qint64(info.f_frsize);
  if (available >= bytes) return {};
  return QStringLiteral("新しいデータファイルを書き込めません（フォルダ: %1、理由: %2）。%3")
      .arg(Shown(dataFolder), SystemReason(ENOSPC), kUnchanged);
}
