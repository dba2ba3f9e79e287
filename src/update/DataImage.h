// The four data files built in memory, before they are written to the data folder.
#pragma once

#include <QByteArray>

#include "data/Records.h"

namespace mirabo {

struct DataImage {
  // Entry numbers must fit in the six digits that the code index gives them.
  static constexpr qint32 kMaxEntries = 999999;

  QByteArray pref;   // fuken.DAT
  QByteArray city;   // city.DAT
  QByteArray entry;  // ubinno.dat
  QByteArray index;  // ubinind.dat

  qint32 PrefCount() const { return qint32(pref.size() / PrefRecord::Size); }
  qint32 CityCount() const { return qint32(city.size() / CityRecord::Size); }
  qint32 EntryCount() const { return qint32(entry.size() / EntryRecord::Size); }
  qint32 IndexCount() const { return qint32(index.size() / IndexRecord::Size); }
};

}  // namespace mirabo
