// Small data sets for tests, written through the record layouts and record files,
// and national-format files to rebuild from.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "data/DataSet.h"
#include "data/Records.h"
#include "support/TestFiles.h"

namespace mirabo {

// An entry record from its four fields as they are stored (fields are padded on write).
EntryRecord Entry(const QString& code, const QString& pref, const QString& city, const QString& town);

// A data set by place, where that reads better than a list of entries: each
// prefecture with its cities, each city with its towns.
struct TownData {
  QString code;
  QString town;
};
struct CityData {
  QString name;
  QList<TownData> towns;
};
struct PrefData {
  QString name;
  QList<CityData> cities;
};

// The entries of `prefs` in order, for WriteDataFiles.
QList<EntryRecord> EntriesOf(const QList<PrefData>& prefs);

// Prefectures "県01".."県NN", each with `cities` cities "市PのC" of `towns` towns
// "町T" each; the code of town T of city C of prefecture P is PP CC TTT, seven digits.
QList<EntryRecord> GridEntries(int prefs, int cities, int towns);

// Each writes the records as records 1..n of its file in `folder` (ending in "/"),
// replacing what the file held, through RecordFile writes.
void WritePrefRecords(const QString& folder, const QList<PrefRecord>& prefs);
void WriteCityRecords(const QString& folder, const QList<CityRecord>& cities);
void WriteEntryRecords(const QString& folder, const QList<EntryRecord>& entries);
void WriteIndexRecords(const QString& folder, const QList<IndexRecord>& index);

// The index of `entries` (entry n is record n) in the order the index build leaves
// it: by the code's first seven characters, then by the entry number as decimal
// text (so entries 9, 10 and 11 of one code come as 10, 11, 9).
QList<IndexRecord> SortedIndexOf(const QList<EntryRecord>& entries);

// All four files for `entries` in row order: a prefecture starts wherever Pref
// changes, a city wherever City or the prefecture changes; the sentinel
// prefecture of four ideographic spaces follows the last one; the sorted index.
void WriteDataFiles(const QString& folder, const QList<EntryRecord>& entries);

// A data set written into a fresh folder and opened, as the programs open a folder.
struct OpenDataSet {
  explicit OpenDataSet(const QList<EntryRecord>& entries) {
    WriteDataFiles(folder.Path(), entries);
    data.OpenDataFiles(folder.Path());
  }
  TempFolder folder;
  DataSet data;
};

// Sets the saved selection (record 48 of fuken.DAT) to the two 0-based list positions.
void WriteSavedSelection(const QString& folder, qint32 pref, qint32 city);

// One row of a national-format file in code page 932, ending in CR LF: the code and
// the three names given, plausible values in the columns the program does not keep.
QByteArray KenAllLine(const QString& code, const QString& pref, const QString& city, const QString& town);

// A national-format file from tests/support/make_ken_all.py (code page 932, CR LF);
// `more` passes further options. Aborts the test program when the generator fails.
// With `changeList`, receives what the generator writes on standard error (the
// changes of a later edition).
QByteArray MakeKenAll(int rows, int seed = 1, bool edge = false, const QStringList& more = {},
                      QByteArray* changeList = nullptr);

// The data files that the core's rebuild makes from the national-format file `csv`,
// in the order of kDataFiles.
QList<QByteArray> RebuiltDataFiles(const QByteArray& csv);

// The entries of a national-format file: code, prefecture, city and town columns.
QList<EntryRecord> EntriesFromCsv(const QByteArray& csv);

}  // namespace mirabo
