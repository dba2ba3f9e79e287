// Writing the new data files beside the old ones, then swapping them in.
#include "update/DataFileInstall.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <fcntl.h>
#include <unistd.h>

#include "data/DataSet.h"
#include "platform/Platform.h"

namespace {

struct NewFile {
  QString finalPath;
  const QByteArray* bytes;
  std::unique_ptr<QTemporaryFile> temp;
};

QString Folder(const QString& dataFolder) { return QDir::toNativeSeparators(QDir(dataFolder).absolutePath()); }

// Writes the bytes to a new temporary file beside `finalPath`, fully on the disk;
// empty on success, else the system's reason. Where the system allows, the file has
// no name until the swap renames it, so an interrupted rebuild leaves nothing behind.
QString WriteTemporary(NewFile& file) {
  file.temp = std::make_unique<QTemporaryFile>(file.finalPath + QStringLiteral(".XXXXXX.tmp"));
  QTemporaryFile& temp = *file.temp;
  if (!temp.open()) return temp.errorString();
  const QByteArray& bytes = *file.bytes;
  if (temp.write(bytes) != bytes.size() || !temp.flush()) return temp.errorString();
  // A full disk can show only when the data really goes out; the old files stay
  // until the new ones are known to be there.
  if (::fsync(temp.handle()) != 0) return QString::fromLocal8Bit(std::strerror(errno));
  // Keep the old file's permissions, not the temporary file's private ones.
  const QFile::Permissions permissions =
      QFile::exists(file.finalPath) ? QFile::permissions(file.finalPath)
                                    : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
  temp.setPermissions(permissions);
  temp.close();
  return {};
}

// Makes the renames themselves durable, so that after a power cut the folder holds
// either set rather than neither.
void SyncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

QString InstallDataImage(const DataImage& image, const QString& dataFolder, Platform& platform,
                         const std::function<void()>& beforeSwap) {
  std::array<NewFile, 4> files{{{dataFolder + datafile::Pref, &image.pref, nullptr},
                                {dataFolder + datafile::City, &image.city, nullptr},
                                {dataFolder + datafile::Entry, &image.entry, nullptr},
                                {dataFolder + datafile::Index, &image.index, nullptr}}};
  for (NewFile& file : files) {
    const QString reason = WriteTemporary(file);
    if (!reason.isEmpty())
      return QStringLiteral("新しいデータファイルを書き込めません（フォルダ: %1、理由: %2）。データは変更していません。")
          .arg(Folder(dataFolder), reason);
  }

  if (beforeSwap) beforeSwap();
  QStringList oldPaths;
  for (const NewFile& file : files) oldPaths << file.finalPath;
  platform.MoveToTrash(oldPaths);

  // rename() replaces a file that the trash left behind, in one step.
  for (NewFile& file : files) {
    if (std::rename(QFile::encodeName(file.temp->fileName()).constData(),
                    QFile::encodeName(file.finalPath).constData()) != 0)
      return QStringLiteral("新しいデータファイルを置けません（フォルダ: %1、理由: %2）。")
          .arg(Folder(dataFolder), QString::fromLocal8Bit(std::strerror(errno)));
    file.temp->setAutoRemove(false);
  }
  SyncFolder(dataFolder);
  return {};
}
