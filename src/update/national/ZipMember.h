// Taking the national file out of the ZIP archive it is published in, in memory.
#pragma once

#include <QByteArray>
#include <QString>

#include "update/UpdateStatus.h"

namespace mirabo {

// The national file unpacks to about 18 MB; a member that would unpack to more than
// this is refused, so a small hostile archive cannot fill the memory.
constexpr qint64 kMaxZipMemberBytes = qint64(200) * 1024 * 1024;

// True when the bytes begin with a ZIP local file header ("PK" 03 04), whatever the
// file is called.
bool IsZip(const QByteArray& bytes);

struct ZipMember {
  QString name;        // the member's path inside the archive
  QByteArray bytes;    // its unpacked content
  UpdateStatus fault;  // why nothing was taken (without the archive's own name); ok on success
};

// The one member whose name ends in ".csv" (in any case), unpacked in memory. Other
// members are passed over. Refuses an archive with no such member or more than one,
// a member that would unpack to more than `maxBytes` (by its stated size or while
// it unpacks), and a damaged, truncated or encrypted archive.
ZipMember ReadCsvMember(const QByteArray& zip, qint64 maxBytes = kMaxZipMemberBytes);

}  // namespace mirabo
