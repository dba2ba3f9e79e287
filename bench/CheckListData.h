// The 10,000-row address list that the list-check benchmarks check, from a data set.
#pragma once

#include <QString>

#include "address/AddressText.h"
#include "data/DataSet.h"
#include "data/TextFitting.h"
#include "listcheck/ListCheckText.h"

namespace mirabo {

inline constexpr int kRows = 10000;

// Rows spread over the whole data set, written the ways people write them: most
// correct, some without the prefecture or the county, some with a neighbour's
// code, an unknown town, a code that lost its leading zero or no code at all.
inline QString ListText(DataSet& data) {
  QString text;
  for (int i = 0; i < kRows; ++i) {
    const qint32 n = qint32(1 + qint64(i) * (data.EntryCount - 1) / (kRows - 1));
    data.ReadEntry(n);
    const QString pref = CleanField(data.EntryRec.Pref), city = CleanField(data.EntryRec.City);
    const QString town = CleanTownForMatch(CleanField(data.EntryRec.Town));
    QString code = HyphenatedCode(CleanField(data.EntryRec.Code));
    QString address = pref + city + town + QStringLiteral("１丁目２－３");
    switch (i % 10) {
      case 1: address = city + town + QStringLiteral(" 5-6 メゾン山田201号室"); break;
      case 2: if (!CityWithoutCounty(city).isEmpty()) address = pref + CityWithoutCounty(city) + town; break;
      case 3: data.ReadEntry(n > 1 ? n - 1 : n + 1), code = CleanField(data.EntryRec.Code); break;
      case 4: address = pref + city + QStringLiteral("存在しない町1"); break;
      case 5: code = code.remove(u'-').mid(1); break;
      case 6: code.clear(); break;
      default: break;
    }
    text += code + u'\t' + address + u'\n';
  }
  return text;
}

}  // namespace mirabo
