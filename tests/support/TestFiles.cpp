// Temporary folders and byte helpers.
#include "support/TestFiles.h"

#include <QFile>
#include <QStringList>

namespace mirabo {

TempFolder::TempFolder() { dir_.setAutoRemove(true); }

QByteArray Hex(const char* pairs) {
  return QByteArray::fromHex(QByteArray(pairs).replace(' ', ""));
}

QString ToHex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ')); }

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

QList<QByteArray> DataFileBytes(const QString& folder) {
  QList<QByteArray> files;
  for (const char* name : kDataFiles) files << ReadBytes(folder + QString::fromLatin1(name));
  return files;
}

QByteArray Le32(qint32 value) {
  const auto v = quint32(value);
  QByteArray bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = char((v >> (8 * i)) & 0xFF);
  return bytes;
}

}  // namespace mirabo
