// Small data sets written straight into record files, and a fresh main window over them.
#pragma once

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <QStringList>
#include <memory>
#include <vector>

#include "data/DataSet.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "window/frmMirabo.h"

struct TownSpec {
  QString code;
  QString town;
};
struct CitySpec {
  QString name;
  std::vector<TownSpec> towns;
};
struct PrefSpec {
  QString name;
  std::vector<CitySpec> cities;
};

// Writes fuken.DAT (with the sentinel after the last prefecture), city.DAT, ubinno.dat
// and an index sorted by code then record number, as a rebuild would leave them.
inline void WriteDataSet(const QString& folder, const std::vector<PrefSpec>& prefs) {
  DataSet data;
  data.OpenDataFiles(folder);
  qint32 pref = 0, city = 0, entry = 0;
  std::vector<std::pair<QString, qint32>> index;
  for (const PrefSpec& p : prefs) {
    data.PrefRec = {p.name, city + 1, city + qint32(p.cities.size())};
    data.WritePref(++pref);
    for (const CitySpec& c : p.cities) {
      data.CityRec = {c.name, entry + 1, entry + qint32(c.towns.size())};
      data.WriteCity(++city);
      for (const TownSpec& t : c.towns) {
        data.EntryRec = {p.name, c.name, t.town, t.code};
        data.WriteEntry(++entry);
        index.push_back({t.code.left(7), entry});
      }
    }
  }
  data.PrefRec = {QString(4, QChar(0x3000)), 0, 0};
  data.WritePref(pref + 1);
  std::sort(index.begin(), index.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : QString::number(a.second) < QString::number(b.second);
  });
  for (size_t i = 0; i < index.size(); ++i) {
    data.IndexRec = {index[i].first, index[i].second};
    data.WriteIndex(qint32(i + 1));
  }
  data.CloseAll();
}

// Sets the saved selection (record 48 of fuken.DAT) to the two 0-based positions.
inline void WriteSavedSelection(const QString& folder, qint32 pref, qint32 city) {
  DataSet data;
  data.OpenDataFiles(folder);
  data.ReadPref(SavedSelectionRecord);
  data.PrefRec.FirstCity = pref;
  data.PrefRec.LastCity = city;
  data.WritePref(SavedSelectionRecord);
  data.CloseAll();
}

// Prefectures "県01".."県NN", each with `cities` cities "市A".."市?" of `towns` towns each;
// codes are PP C TTTT-like seven digits unique per entry.
inline std::vector<PrefSpec> GridDataSet(int prefs, int cities, int towns) {
  std::vector<PrefSpec> set;
  for (int p = 1; p <= prefs; ++p) {
    PrefSpec pref{QStringLiteral("県%1").arg(p, 2, 10, QChar(u'0')), {}};
    for (int c = 1; c <= cities; ++c) {
      CitySpec city{QStringLiteral("市%1の%2").arg(p).arg(c), {}};
      for (int t = 1; t <= towns; ++t)
        city.towns.push_back({QStringLiteral("%1%2%3").arg(p, 2, 10, QChar(u'0')).arg(c, 2, 10, QChar(u'0')).arg(t, 3, 10, QChar(u'0')),
                              QStringLiteral("町%1").arg(t)});
      pref.cities.push_back(city);
    }
    set.push_back(pref);
  }
  return set;
}

inline QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}
