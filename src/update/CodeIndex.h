// The code index: one key per entry, sorted, written as index records.
#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

namespace mirabo {

// The sort key of entry `entryNo`: the first seven characters of its Code field as
// decoded, four spaces, the sign position (a space) and the entry number in decimal.
QString IndexKey(QStringView codeField, qint32 entryNo);

// The entry number held in the last six characters of a key, leading spaces ignored.
qint32 EntryNoOfKey(QStringView key);

// Sorts keys into ascending order of their UTF-16 code units, a key that begins
// another one first. Keys of one code therefore stand in the order of their entry
// numbers' decimal texts: 10, 11, 9 and 1, 10.
void SortKeys(std::vector<QString>& keys);

// The index file for an entry file: one index record per entry in the order of its
// sorted key, Code the key's first seven characters, EntryNo the entry. Entry
// numbers must not exceed 999999.
QByteArray BuildCodeIndex(const QByteArray& entryFile);

}  // namespace mirabo
