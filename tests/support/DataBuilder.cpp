// Writing test data sets through the record Encode functions and RecordFile.
#include "support/DataBuilder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QProcess>

#include "data/Cp932Codec.h"
#include "data/DataSet.h"
#include "data/RecordFile.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"
#include "update/Rebuild.h"

namespace mirabo {

namespace {

template <typename Record>
void WriteRecords(const QString& path, const QList<Record>& records) {
  QFile::remove(path);
  RecordFile file(Record::Size);
  if (!file.Open(path)) return;
  char bytes[Record::Size];
  for (qsizetype i = 0; i < records.size(); ++i) {
    records[i].Encode(bytes);
    file.Write(qint32(i + 1), bytes);
  }
  file.Close();
}

// The values of one CSV row, quotes removed; the national file has no commas inside values.
QStringList CsvValues(const QString& row) {
  QStringList values = row.split(u',');
  for (QString& value : values)
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) value = value.mid(1, value.size() - 2);
  return values;
}

}  // namespace

EntryRecord Entry(const QString& code, const QString& pref, const QString& city, const QString& town) {
  EntryRecord entry;
  entry.Code = code;
  entry.Pref = pref;
  entry.City = city;
  entry.Town = town;
  return entry;
}

QList<EntryRecord> EntriesOf(const QList<PrefData>& prefs) {
  QList<EntryRecord> entries;
  for (const PrefData& pref : prefs)
    for (const CityData& city : pref.cities)
      for (const TownData& town : city.towns) entries << Entry(town.code, pref.name, city.name, town.town);
  return entries;
}

QList<EntryRecord> GridEntries(int prefs, int cities, int towns) {
  const auto digits = [](int n, int width) { return QStringLiteral("%1").arg(n, width, 10, QChar(u'0')); };
  QList<EntryRecord> entries;
  for (int p = 1; p <= prefs; ++p)
    for (int c = 1; c <= cities; ++c)
      for (int t = 1; t <= towns; ++t)
        entries << Entry(digits(p, 2) + digits(c, 2) + digits(t, 3), "県" + digits(p, 2),
                         QStringLiteral("市%1の%2").arg(p).arg(c), QStringLiteral("町%1").arg(t));
  return entries;
}

void WritePrefRecords(const QString& folder, const QList<PrefRecord>& prefs) {
  WriteRecords(folder + "fuken.DAT", prefs);
}
void WriteCityRecords(const QString& folder, const QList<CityRecord>& cities) {
  WriteRecords(folder + "city.DAT", cities);
}
void WriteEntryRecords(const QString& folder, const QList<EntryRecord>& entries) {
  WriteRecords(folder + "ubinno.dat", entries);
}
void WriteIndexRecords(const QString& folder, const QList<IndexRecord>& index) {
  WriteRecords(folder + "ubinind.dat", index);
}

QList<IndexRecord> SortedIndexOf(const QList<EntryRecord>& entries) {
  QList<QString> keys;
  for (qsizetype n = 1; n <= entries.size(); ++n) {
    // Pad the code as the stored field is padded, then the number as text.
    const QString code = entries[n - 1].Code.left(7).leftJustified(7, u' ');
    keys << code + QString::number(n);
  }
  std::sort(keys.begin(), keys.end());
  QList<IndexRecord> index;
  for (const QString& key : keys) {
    IndexRecord record;
    record.Code = key.left(7);
    record.EntryNo = key.mid(7).toInt();
    index << record;
  }
  return index;
}

void WriteDataFiles(const QString& folder, const QList<EntryRecord>& entries) {
  QList<PrefRecord> prefs;
  QList<CityRecord> cities;
  for (qint32 n = 1; n <= entries.size(); ++n) {
    const EntryRecord& entry = entries[n - 1];
    const bool newPref = n == 1 || entry.Pref != entries[n - 2].Pref;
    if (newPref || entry.City != entries[n - 2].City) {
      cities << CityRecord{entry.City, n, n};
      if (newPref) prefs << PrefRecord{entry.Pref, qint32(cities.size()), 0};
      prefs.last().LastCity = qint32(cities.size());
    }
    cities.last().LastEntry = n;
  }
  prefs << PrefRecord{QStringLiteral("　　　　"), 0, 0};
  WritePrefRecords(folder, prefs);
  WriteCityRecords(folder, cities);
  WriteEntryRecords(folder, entries);
  WriteIndexRecords(folder, SortedIndexOf(entries));
}

void WriteSavedSelection(const QString& folder, qint32 pref, qint32 city) {
  DataSet data;
  data.OpenDataFiles(folder);
  data.ReadPref(SavedSelectionRecord);
  data.PrefRec.FirstCity = pref;
  data.PrefRec.LastCity = city;
  data.WritePref(SavedSelectionRecord);
  data.CloseAll();
}

QByteArray KenAllLine(const QString& code, const QString& pref, const QString& city, const QString& town) {
  return cp932::Encode(QStringLiteral("13101,\"100  \",\"%1\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｶﾆ\",\"%2\",\"%3\",\"%4\",0,0,0,0,0,0\r\n")
                           .arg(code, pref, city, town));
}

QByteArray MakeKenAll(int rows, int seed, bool edge, const QStringList& more, QByteArray* changeList) {
  QProcess process;
  QStringList args{MakeKenAllScript(), "--rows", QString::number(rows), "--seed", QString::number(seed)};
  if (edge) args << "--edge";
  process.start("python3", args + more);
  const bool finished = process.waitForFinished(120000);
  const QByteArray csv = process.readAllStandardOutput();
  if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    // A silent empty file would pass for "no rows": stop the test program instead.
    std::fprintf(stderr, "make_ken_all.py failed (%s): %s\n", qPrintable(process.errorString()),
                 process.readAllStandardError().constData());
    std::abort();
  }
  if (changeList) *changeList = process.readAllStandardError();
  return csv;
}

QList<QByteArray> RebuiltDataFiles(const QByteArray& csv) {
  TempFolder folder;
  WriteBytes(folder.File("KEN_ALL.CSV"), csv);
  RecordingPlatform platform;
  if (!RebuildDataFiles(folder.Path(), folder.File("KEN_ALL.CSV"), {.files = &platform.Files()}).ok) {
    // An empty result would pass for "no files": stop the test program instead.
    std::fprintf(stderr, "the rebuild of the expected data files failed\n");
    std::abort();
  }
  return DataFileBytes(folder);
}

QList<EntryRecord> EntriesFromCsv(const QByteArray& csv) {
  QList<EntryRecord> entries;
  for (const QString& row : cp932::Decode(csv).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
    const QStringList values = CsvValues(row);
    if (values.size() >= 9) entries << Entry(values[2], values[6], values[7], values[8]);
  }
  return entries;
}

}  // namespace mirabo
