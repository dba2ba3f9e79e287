// Small data sets for tests, written through the record layouts and record files.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "data/Records.h"

// An entry record from its four fields as they are stored (fields are padded on write).
EntryRecord Entry(const QString& code, const QString& pref, const QString& city, const QString& town);

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

// A national-format file from tests/support/make_ken_all.py (code page 932, CR LF);
// `more` passes further options. Aborts the test program when the generator fails.
// With `changeList`, receives what the generator writes on standard error (the
// changes of a later edition).
QByteArray MakeKenAll(int rows, int seed = 1, bool edge = false, const QStringList& more = {},
                      QByteArray* changeList = nullptr);

// The entries of a national-format file: code, prefecture, city and town columns.
QList<EntryRecord> EntriesFromCsv(const QByteArray& csv);
