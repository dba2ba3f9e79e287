// Reading an address as people write it: the entries it means, best first.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "address/TownNote.h"
#include "data/DataSet.h"

namespace mirabo {

// One entry an address may mean, and why.
struct AddressMatch {
  // How the town's note in parentheses agrees with the numbers written after the town.
  enum class Cover {
    Fallback = 1,  // "その他", the building's "地階・階層不明" or the town itself, while a sibling's
                   // note covers the number written (or no note fits it)
    Fits = 2,      // no note, a note that covers the written number, or no number that decides
  };
  qint32 recordNo = 0;    // the town's first entry record
  int townLength = 0;     // characters of the stored town matched; 0 for the city's not-listed row
  bool variant = false;   // matched only with spelling variants folded
  bool afterStreet = false;  // the town followed a street prefix, as in Kyoto
  Cover cover = Cover::Fits;
  bool best = false;      // as good as the first match
};

// Every town of a data set, read once: grouped by city, its note parsed, and rows that
// continue a long note read as one town with their first row. Reading an address then
// looks at the cities the address can start with, never at all entries.
class AddressReader {
 public:
  // Reads entry records 1..EntryCount; unreadable records count as empty.
  explicit AddressReader(DataSet& data);

  // The entries the address may mean, best first: the longest stored town, an exact
  // spelling before a variant, a town right after the city before one after a street
  // prefix, a note that covers the written number before "その他", then record order.
  // A city's not-listed row comes after its towns. Empty when no city (nor, without
  // a city, a town) starts the address.
  QList<AddressMatch> Read(const QString& address) const;

  // The reader of the data set as its entry file is now. The last one built is handed
  // out again while the entry file is the same file with the same size and
  // modification time, and no record file of this process was written since.
  static std::shared_ptr<const AddressReader> Of(DataSet& data);

  // The first records of at most `limit` matches, best first.
  QList<qint32> Candidates(const QString& address, int limit) const;

  // The distinct codes of the best matches, in their order.
  QStringList BestCodes(const QString& address) const;

  qsizetype EntryCount() const { return townOf_.size(); }
  // The stored code (empty unless seven digits), and prefecture + city + town without
  // its note, of entry `recordNo` (1..EntryCount); a row that continues a note gives its town's.
  QString Code(qint32 recordNo) const;
  QString Address(qint32 recordNo) const;

  // The first record, ascending, of every town whose stored code is `code`.
  QList<qint32> EntriesWithCode(const QString& code) const;

 private:
  struct Town {
    qint32 recordNo;   // first entry record
    int city;          // index into cities_
    qint32 code;       // the stored code as a number; -1 unless seven digits
    QString name;      // as stored, without its note; empty for a not-listed row
    QString normal;    // the same in normal form
    QString folded;    // the same with spelling variants folded
    TownNote note;
  };
  struct City {
    int pref;
    QString name;            // prefecture + city, as stored
    std::vector<int> towns;  // in record order
  };
  struct Found;  // a town matched at one place in the address

  bool Matches(const DataSet& data) const;
  const Town& TownOf(qint32 recordNo) const { return towns_[size_t(townOf_[size_t(recordNo - 1)])]; }
  void AddTown(const QString& pref, const QString& city, const QString& town, const QString& code, qint32 recordNo);
  int CityIndex(const QString& pref, const QString& city);
  void MatchCity(int city, const QString& normal, const QString& folded, qsizetype at, std::vector<Found>& found) const;
  void MatchTownsAnywhere(const QString& normal, const QString& folded, std::vector<Found>& found) const;
  void Weigh(std::vector<Found>& found, const QString& normal, const QString& folded) const;
  static bool WeighNote(const TownNote& note, const HouseNumbers& house, QStringView foldedRest, int decisive,
                        Found& found);

  FileStamp stamp_;     // of the entry file, taken before it was read
  quint64 writes_ = 0;  // RecordFile::WritesSoFar() then
  std::vector<Town> towns_;
  std::vector<int> townOf_;                 // entry record - 1 -> town
  std::vector<City> cities_;
  QStringList prefs_;                       // folded prefecture names
  QHash<std::pair<int, QString>, int> cityIds_;
  QHash<QString, QList<int>> cityKeys_;     // folded city, or its name without the county -> cities
  qsizetype longestCityKey_ = 0;
  // Folded town name -> towns, for addresses without a city: built when first needed.
  mutable std::once_flag townKeysBuilt_;
  mutable QHash<QString, QList<int>> townKeys_;
  mutable qsizetype longestTownKey_ = 0;
  std::vector<std::pair<qint32, int>> byCode_;  // (code, town), ascending
};

}  // namespace mirabo
