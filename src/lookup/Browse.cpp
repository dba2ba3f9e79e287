// Browse list lines, built from the records through the data set's buffers.
#include "lookup/Browse.h"

#include "data/TextFitting.h"

namespace mirabo {

QString PrefLine(const PrefRecord& pref) { return FitToBytes(pref.Name, 8); }

QString CityLine(const CityRecord& city) { return CleanField(city.Name); }

QString TownLine(const EntryRecord& entry) {
  return FitToBytes(entry.Code, 7) + kWideSpace + CleanField(entry.City) + kWideSpace + CleanField(entry.Town);
}

int TownLineLength(const EntryRecord& entry) {
  return int(CleanField(entry.City).size() + CleanField(entry.Town).size());
}

int CityListExtent(int widestLength, int twipsPerPixel) {
  return (widestLength * kTwipsPerEm + 120) / twipsPerPixel;
}

int TownListExtent(int widestLength, int twipsPerPixel) {
  return (widestLength + 6) * kTwipsPerEm / twipsPerPixel;
}

QStringList PrefectureLines(DataSet& data) {
  QStringList lines;
  for (qint32 n = 1; n <= data.PrefCount - 1; ++n) {
    data.ReadPref(n);
    lines << PrefLine(data.PrefRec);
  }
  return lines;
}

ListFill CityListOf(DataSet& data, qint32 prefRecNo) {
  ListFill fill;
  data.ReadPref(prefRecNo);
  const qint64 first = data.PrefRec.FirstCity;
  const qint64 last = qMin<qint64>(data.PrefRec.LastCity, first + data.CityCount);
  for (qint64 n = first; n <= last; ++n) {
    data.ReadCity(qint32(n));
    fill.lines << CityLine(data.CityRec);
    fill.widest = qMax(fill.widest, int(fill.lines.last().size()));
  }
  return fill;
}

ListFill TownListOf(DataSet& data, qint32 first, qint32 last) {
  ListFill fill;
  const qint64 end = qMin<qint64>(last, qint64(first) + data.EntryCount);
  for (qint64 n = first; n <= end; ++n) {
    data.ReadEntry(qint32(n));
    fill.lines << TownLine(data.EntryRec);
    fill.widest = qMax(fill.widest, TownLineLength(data.EntryRec));
  }
  return fill;
}

}  // namespace mirabo
