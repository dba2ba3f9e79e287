// What changed between two entry files: the multiset difference of the entries' identities.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace mirabo {

// One identity (code, prefecture, city, town: the stored fields with their leading
// and trailing spaces removed) that the new set holds more often than the old one
// (Added) or less often (Removed), once per surplus copy.
struct EntryChange {
  enum Kind { Removed, Added };  // a code's removals come before its additions
  Kind kind = Added;
  QString code;
  QString pref;
  QString city;
  QString town;

  bool operator==(const EntryChange&) const = default;
};

struct EntryChanges {
  // By code, then removals before additions, then by prefecture, city and town,
  // each compared as code page 932 bytes.
  QList<EntryChange> changes;
  qint64 added = 0;
  qint64 removed = 0;
  qint64 newCodes = 0;      // codes that only the new set holds
  qint64 retiredCodes = 0;  // codes that only the old set holds
};

// Compares two ubinno.dat contents as multisets of identities; the position of an
// entry does not matter. Bytes after the last whole record are ignored.
EntryChanges CompareEntries(const QByteArray& oldEntries, const QByteArray& newEntries);

}  // namespace mirabo
