// Lossless folder paths: plain text where the name survives QString, else /proc/self/fd.
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <climits>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace mirabo {

namespace {

QByteArray CurrentDirectoryBytes() {
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof buffer) ? QByteArray(buffer) : QByteArray();
}

QByteArray Absolute(const QByteArray& folder) {
  if (folder.startsWith('/')) return folder;
  const QByteArray cwd = CurrentDirectoryBytes();
  if (cwd.isEmpty()) return {};
  return cwd.endsWith('/') ? cwd + folder : cwd + '/' + folder;
}

QByteArray ExecutableFolderBytes() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || length >= ssize_t(sizeof buffer)) return {};
  QByteArray path(buffer, length);
  // A program whose file was replaced while it runs is shown with this mark.
  if (path.endsWith(" (deleted)")) path.chop(10);
  const qsizetype slash = path.lastIndexOf('/');
  return slash <= 0 ? QByteArray("/") : path.left(slash);
}

}  // namespace

QString UsableFolderPath(const QByteArray& folder) {
  const QByteArray absolute = Absolute(folder);
  if (absolute.isEmpty()) return {};
  const QString decoded = QFile::decodeName(absolute);
  if (QFile::encodeName(decoded) == absolute) return decoded.endsWith(u'/') ? decoded : decoded + u'/';

  // One handle per folder for the life of the process: the path names the folder through it.
  static std::mutex mutex;
  static QHash<QByteArray, QString> opened;
  std::lock_guard lock(mutex);
  if (const auto found = opened.constFind(absolute); found != opened.constEnd()) return *found;
  const int fd = ::open(absolute.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return {};
  const QString path = QStringLiteral("/proc/self/fd/%1/").arg(fd);
  opened.insert(absolute, path);
  return path;
}

QString ProgramFolder() {
  const QByteArray folder = ExecutableFolderBytes();
  if (!folder.isEmpty()) return UsableFolderPath(folder);
  // Without /proc, Qt's answer is all there is; it is empty for a name it cannot hold.
  const QString qtFolder = QCoreApplication::applicationDirPath();
  return qtFolder.isEmpty() ? QString() : UsableFolderPath(QFile::encodeName(qtFolder));
}

}  // namespace mirabo
