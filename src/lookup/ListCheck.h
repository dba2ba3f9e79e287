// Checking rows of an address list (a written code and a written address) against the entries.
#pragma once

#include <memory>
#include <vector>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "data/DataSet.h"

// The first applicable of: the code is not seven digits; no entry has the code;
// no entry matches the address; an entry has both; they disagree.
enum class Verdict { BadCode, UnknownCode, UnknownAddress, Ok, Mismatch };

// "bad-code", "unknown-code", "unknown-address", "ok", "mismatch".
QString VerdictKey(Verdict verdict);
// "番号の形式違い", "郵便番号なし", "住所不明", "正常", "郵便番号違い".
QString VerdictLabel(Verdict verdict);

struct RowVerdict {
  Verdict verdict = Verdict::Ok;
  // Codes "NNN-NNNN" joined by ",", or for an unknown address the addresses of the
  // code's entries joined by "、"; empty for "ok".
  QString suggestion;
};

// Every entry of a data set, grouped by city for matching addresses, and by code.
// Built once per data set; checking a row then looks at the cities that the
// address can start with, never at all entries.
class CityLookup {
 public:
  // Reads entry records 1..EntryCount; unreadable records count as empty.
  explicit CityLookup(DataSet& data);

  RowVerdict Check(const QString& writtenCode, const QString& address) const;

  // Record numbers, ascending, of the best entries for the address: of all entries
  // that match it, those with the longest town, a direct match before an indirect one.
  QList<qint32> BestEntries(const QString& address) const;

  qsizetype EntryCount() const { return entries_.size(); }

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
  QString CodesOf(const std::vector<int>& items) const;
  QString AddressesOf(const QList<int>& items) const;

  std::vector<Item> entries_;
  std::vector<City> cities_;
  QStringList prefs_;                    // normalised prefecture names
  QHash<QString, QList<int>> cityKeys_;  // normalised city, or its name without the county -> cities
  qsizetype longestKey_ = 0;
  QHash<QString, QList<int>> byCode_;    // stored code -> entries, in record order
};
