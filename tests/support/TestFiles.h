// Temporary data folders and byte helpers for tests.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

namespace mirabo {

// A fresh folder that is removed with the object; Path() ends in "/".
class TempFolder {
 public:
  TempFolder();
  QString Path() const { return dir_.path() + u'/'; }
  QString File(const QString& name) const { return Path() + name; }

 private:
  QTemporaryDir dir_;
};

// Bytes from hex pairs separated by spaces: Hex("81 40 20").
QByteArray Hex(const char* pairs);
// The bytes as hex pairs separated by spaces, for readable failure messages.
QString ToHex(const QByteArray& bytes);

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// The four data files in their usual order.
inline const char* const kDataFiles[] = {"fuken.DAT", "city.DAT", "ubinno.dat", "ubinind.dat"};
// The bytes of the four data files of `folder` (ending in "/"), in that order.
QList<QByteArray> DataFileBytes(const QString& folder);
inline QList<QByteArray> DataFileBytes(const TempFolder& folder) { return DataFileBytes(folder.Path()); }

// A 32-bit little-endian number as 4 bytes, written out by hand in tests' expectations.
QByteArray Le32(qint32 value);

}  // namespace mirabo
