// Matching a written address to the entries it names, city by city.
#pragma once

#include <vector>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "data/DataSet.h"

// Every entry of a data set, grouped by city for matching addresses, and by code.
// Built once per data set; checking a row then looks at the cities that the
// address can start with, never at all entries.
class CityLookup {
 public:
  // Reads entry records 1..EntryCount; unreadable records count as empty.
  explicit CityLookup(DataSet& data);

  // Record numbers, ascending, of the best entries for the address: of all entries
  // that match it, those with the longest town, a direct match before an indirect one.
  QList<qint32> BestEntries(const QString& address) const;

  qsizetype EntryCount() const { return entries_.size(); }

  // The stored (trimmed) code, and prefecture + city + cleaned town, of entry `recordNo`
  // (1..EntryCount).
  const QString& Code(qint32 recordNo) const { return entries_[size_t(recordNo - 1)].code; }
  const QString& Address(qint32 recordNo) const { return entries_[size_t(recordNo - 1)].address; }

  // Record numbers, ascending, of the entries whose stored code is `code`.
  QList<qint32> EntriesWithCode(const QString& code) const;

 private:
  struct Item {
    qint32 recordNo;
    int city;            // index into cities_
    QString code;        // as stored, trimmed
    QString town;        // cleaned and normalised
    QString address;     // prefecture + city + cleaned town, as stored
  };
  struct City {
    int pref;            // index into prefs_
    QList<int> items;    // indexes into entries_, in record order
  };
  struct Rank {
    qsizetype townLength = -1;
    bool direct = false;
    bool operator<(const Rank& other) const {
      return townLength != other.townLength ? townLength < other.townLength : direct < other.direct;
    }
    bool operator==(const Rank& other) const = default;
  };

  std::vector<int> BestItems(const QString& normalAddress) const;
  void RankCity(const City& city, QStringView rest, Rank& best, std::vector<int>& bestItems) const;

  std::vector<Item> entries_;
  std::vector<City> cities_;
  QStringList prefs_;                    // normalised prefecture names
  QHash<QString, QList<int>> cityKeys_;  // normalised city, or its name without the county -> cities
  qsizetype longestKey_ = 0;
  QHash<QString, QList<int>> byCode_;    // stored code -> entries, in record order
};
