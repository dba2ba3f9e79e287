// ZIP archives made in tests, with libarchive's writer, from bytes held in memory.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace mirabo {

struct ZipEntry {
  QString name;
  QByteArray bytes;
};

// The entries as deflated members, in order, each stating its size.
QByteArray MakeZip(const QList<ZipEntry>& entries);

// One deflated member `name` of `size` zero bytes: a small archive that states and
// unpacks to that size.
QByteArray MakeZipBomb(const QString& name, qint64 size);

}  // namespace mirabo
