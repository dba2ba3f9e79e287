// Building the reader of a data set, and reading one address with it.
#include "address/AddressReader.h"

#include <algorithm>
#include <mutex>
#include <tuple>

#include <QRegularExpression>

#include "address/AddressFold.h"
#include "address/AddressText.h"
#include "data/TextFitting.h"

namespace mirabo {

struct AddressReader::Found {
  int town;
  qsizetype end;  // where the town's name ends in the address
  int length;
  bool variant;
  bool afterStreet;
  AddressMatch::Cover cover = AddressMatch::Cover::Fits;
  bool excluded = false;

  auto Key() const { return std::tuple(length, !variant, !afterStreet, int(cover)); }
};

namespace {

// The town's name and its note, from the stored town of one or more rows.
std::pair<QString, QString> SplitNote(const QString& town) {
  const qsizetype open = town.indexOf(u'（');
  if (open < 0) return {town, {}};
  qsizetype close = town.lastIndexOf(u'）');
  if (close < open) close = town.size();
  return {town.left(open), town.mid(open + 1, close - open - 1)};
}

// A note opened on this row and not closed: the next rows of the code continue it.
bool OpensNote(const QString& town) { return town.count(u'（') > town.count(u'）'); }

// The end of a street prefix, as in Kyoto's "烏丸通二条上る梅屋町": the street, its
// crossing and the direction; 0 when the text starts with none.
qsizetype StreetPrefixEnd(QStringView folded) {
  static const QRegularExpression street(
      QStringLiteral("^.*?通.*(?:上る|上ル|上がる|下る|下ル|下がる|東入る|東入ル|東入|西入る|西入ル|西入)"));
  const QRegularExpressionMatch match = street.match(folded);
  return match.hasMatch() ? match.capturedEnd(0) : 0;
}

// The seven digits of a stored code as a number; -1 for anything else.
qint32 CodeNumber(QStringView code) {
  if (code.size() != 7) return -1;
  qint32 number = 0;
  for (const QChar c : code) {
    if (c < u'0' || c > u'9') return -1;
    number = number * 10 + (c.unicode() - u'0');
  }
  return number;
}

// A town whose name ends in a digit must not take the first digits of a house number.
bool EndsInsideNumber(const QString& town, QStringView rest) {
  return !town.isEmpty() && town.back().isDigit() && rest.size() > town.size() && rest[town.size()].isDigit();
}

}  // namespace

AddressReader::AddressReader(DataSet& data) : stamp_(data.EntryFile.Stamp()), writes_(RecordFile::WritesSoFar()) {
  const qint32 count = qMax(data.EntryCount, 0);
  townOf_.reserve(size_t(count));
  QStringList raw;  // the stored town of each town, continued rows joined
  // One read for the whole file; records it no longer holds read as zero bytes.
  QByteArray records = data.EntryFile.ReadAll();
  records.resize(qsizetype(count) * EntryRecord::Size, '\0');
  bool open = false;
  QString lastPref, lastCity;
  int cityIndex = -1;
  for (qint32 n = 1; n <= count; ++n) {
    const EntryRecord entry = EntryRecord::Decode(records.constData() + qsizetype(n - 1) * EntryRecord::Size);
    const QString pref = CleanField(entry.Pref), city = CleanField(entry.City), town = CleanField(entry.Town);
    const QString code = CleanField(entry.Code);
    // Rows of one city come together: its names are read once per run of rows.
    if (cities_.empty() || pref != lastPref || city != lastCity) {
      cityIndex = CityIndex(pref, city);
      lastPref = pref;
      lastCity = city;
    }
    if (open && towns_.back().city == cityIndex && towns_.back().code == CodeNumber(code)) {
      raw.back() += town;
      open = OpensNote(raw.back());
      townOf_.push_back(int(towns_.size()) - 1);
      continue;
    }
    towns_.push_back({n, cityIndex, CodeNumber(code), {}, {}, {}, {}});
    cities_[size_t(cityIndex)].towns.push_back(int(towns_.size()) - 1);
    townOf_.push_back(int(towns_.size()) - 1);
    raw << town;
    open = OpensNote(town);
  }
  byCode_.reserve(towns_.size());
  for (size_t t = 0; t < towns_.size(); ++t) {
    Town& town = towns_[t];
    const auto [name, note] = SplitNote(raw[qsizetype(t)]);
    town.name = CleanTownForMatch(name);
    town.normal = town.name.isEmpty() ? QString() : NormalForm(name);
    town.folded = FoldVariants(town.normal);
    if (!note.isEmpty()) town.note = ParseTownNote(NormalForm(note));
    byCode_.push_back({town.code, int(t)});
  }
  std::sort(byCode_.begin(), byCode_.end());
}

// The city of the prefecture with this name, added with its keys when first seen.
int AddressReader::CityIndex(const QString& pref, const QString& city) {
  const QString foldedPref = FoldVariants(NormalForm(pref));
  qsizetype prefIndex = prefs_.indexOf(foldedPref);
  if (prefIndex < 0) {
    prefIndex = prefs_.size();
    prefs_ << foldedPref;
  }
  const QString foldedCity = FoldVariants(NormalForm(city));
  const auto key = std::pair(int(prefIndex), foldedCity);
  const auto known = cityIds_.constFind(key);
  if (known != cityIds_.cend()) return *known;
  const int index = int(cities_.size());
  cityIds_.insert(key, index);
  cities_.push_back({int(prefIndex), pref + city, {}});
  // A city without a name can start no address, so it gets no key.
  for (const QString& name : {foldedCity, CityWithoutCounty(foldedCity)}) {
    if (name.isEmpty()) continue;
    cityKeys_[name] << index;
    longestCityKey_ = qMax(longestCityKey_, name.size());
  }
  return index;
}

QList<AddressMatch> AddressReader::Read(const QString& address) const {
  const QString normal = NormalForm(address);
  const QString folded = FoldVariants(normal);
  std::vector<Found> found;
  // The rest after the city names that it starts with; `pref` < 0 allows any prefecture.
  const auto matchCities = [&](int pref, qsizetype at) {
    const qsizetype longest = qMin(longestCityKey_, folded.size() - at);
    for (qsizetype length = 1; length <= longest; ++length) {
      const auto cities = cityKeys_.constFind(folded.mid(at, length));
      if (cities == cityKeys_.cend()) continue;
      for (const int city : *cities)
        if (pref < 0 || cities_[size_t(city)].pref == pref) MatchCity(city, normal, folded, at + length, found);
    }
  };
  bool prefWritten = false;
  for (int pref = 0; pref < prefs_.size(); ++pref) {
    if (prefs_[pref].isEmpty() || !folded.startsWith(prefs_[pref])) continue;
    prefWritten = true;
    matchCities(pref, prefs_[pref].size());
  }
  // Without a prefecture any city may start it; entries without one have nothing to remove.
  if (!prefWritten) matchCities(-1, 0);
  else if (const qsizetype unnamed = prefs_.indexOf(QString()); unnamed >= 0) matchCities(int(unnamed), 0);
  if (found.empty() && !prefWritten) MatchTownsAnywhere(normal, folded, found);
  Weigh(found, normal, folded);

  std::erase_if(found, [](const Found& f) { return f.excluded; });
  std::sort(found.begin(), found.end(), [&](const Found& a, const Found& b) {
    if (a.Key() != b.Key()) return a.Key() > b.Key();
    return a.town < b.town;
  });
  QList<AddressMatch> matches;
  QList<int> seen;
  for (const Found& f : found) {
    if (seen.contains(f.town)) continue;  // a town reached twice keeps its best reading
    seen << f.town;
    matches << AddressMatch{towns_[size_t(f.town)].recordNo, f.length, f.variant, f.afterStreet, f.cover,
                            f.Key() == found.front().Key()};
  }
  return matches;
}

std::shared_ptr<const AddressReader> AddressReader::Of(DataSet& data) {
  static std::mutex lastBuiltMutex;
  static std::shared_ptr<const AddressReader> lastBuilt;
  std::lock_guard lock(lastBuiltMutex);
  if (!lastBuilt || !lastBuilt->Matches(data)) lastBuilt = std::make_shared<const AddressReader>(data);
  return lastBuilt;
}

bool AddressReader::Matches(const DataSet& data) const {
  return data.EntryCount == EntryCount() && data.EntryFile.Stamp() == stamp_ && RecordFile::WritesSoFar() == writes_;
}

QList<qint32> AddressReader::Candidates(const QString& address, int limit) const {
  QList<qint32> records;
  for (const AddressMatch& match : Read(address)) {
    if (records.size() >= limit) break;
    records << match.recordNo;
  }
  return records;
}

QStringList AddressReader::BestCodes(const QString& address) const {
  QStringList codes;
  for (const AddressMatch& match : Read(address))
    if (match.best && !codes.contains(Code(match.recordNo))) codes << Code(match.recordNo);
  return codes;
}

// The city's towns that the rest of the address (from `at`) starts with, directly or
// after a street prefix, and the city's not-listed row.
void AddressReader::MatchCity(int city, const QString& normal, const QString& folded, qsizetype at,
                              std::vector<Found>& found) const {
  const QStringView rest = QStringView(folded).mid(at);
  const qsizetype street = StreetPrefixEnd(rest);
  for (const int t : cities_[size_t(city)].towns) {
    const Town& town = towns_[size_t(t)];
    if (town.folded.isEmpty()) {
      found.push_back({t, at, 0, false, false});
      continue;
    }
    for (const qsizetype start : {qsizetype(0), street}) {
      if (start == 0 && street == 0 && !found.empty() && found.back().town == t) break;  // one place to try
      const QStringView from = rest.mid(start);
      if (!from.startsWith(town.folded) || EndsInsideNumber(town.folded, from)) continue;
      const qsizetype begin = at + start;
      const bool variant = QStringView(normal).mid(begin, town.normal.size()) != town.normal;
      found.push_back({t, begin + town.normal.size(), int(town.folded.size()), variant, start > 0});
      break;  // right after the city is the better reading of the same town
    }
  }
}

// For an address without a city: the towns of any city that it starts with.
void AddressReader::MatchTownsAnywhere(const QString& normal, const QString& folded, std::vector<Found>& found) const {
  std::call_once(townKeysBuilt_, [this] {
    for (size_t t = 0; t < towns_.size(); ++t) {
      if (towns_[t].folded.isEmpty()) continue;
      townKeys_[towns_[t].folded] << int(t);
      longestTownKey_ = qMax(longestTownKey_, towns_[t].folded.size());
    }
  });
  const qsizetype longest = qMin(longestTownKey_, folded.size());
  for (qsizetype length = 1; length <= longest; ++length) {
    const auto towns = townKeys_.constFind(folded.left(length));
    if (towns == townKeys_.cend() || EndsInsideNumber(towns.key(), folded)) continue;
    const bool variant = normal.left(length) != towns_[size_t(towns->front())].normal;
    for (const int t : *towns) found.push_back({t, length, int(length), variant, false});
  }
}

// Siblings found at one place in the address (one name under several notes) weighed by
// the numbers written after the name.
void AddressReader::Weigh(std::vector<Found>& found, const QString& normal, const QString& folded) const {
  // Siblings: one name of one city, found ending at one place.
  QHash<std::pair<std::pair<int, qsizetype>, QString>, QList<size_t>> siblings;
  for (size_t i = 0; i < found.size(); ++i) {
    const Town& town = towns_[size_t(found[i].town)];
    if (!town.folded.isEmpty()) siblings[{{town.city, found[i].end}, town.folded}] << i;
  }
  for (auto group = siblings.cbegin(); group != siblings.cend(); ++group) {
    const qsizetype end = group.key().first.second;
    const HouseNumbers house = ReadHouseNumbers(QStringView(normal).mid(end));
    // The number "その他" is about: the chome or banchi that its siblings' notes list.
    int decisive = -1;
    for (const size_t i : *group) {
      const TownNote::Kind kind = towns_[size_t(found[i].town)].note.kind;
      if (kind == TownNote::Kind::Chome) decisive = house.Chome();
      if (kind == TownNote::Kind::Banchi) decisive = house.Banchi();
    }
    bool anyLeft = false, anyCovers = false;
    for (const size_t i : *group) {
      const TownNote& note = towns_[size_t(found[i].town)].note;
      anyCovers = WeighNote(note, house, QStringView(folded).mid(end), decisive, found[i]) || anyCovers;
      anyLeft = anyLeft || !found[i].excluded;
    }
    // A town never beats its own range that covers the number written.
    if (anyCovers)
      for (const size_t i : *group)
        if (towns_[size_t(found[i].town)].note.kind == TownNote::Kind::Whole) found[i].cover = AddressMatch::Cover::Fallback;
    // Where no note fits the number written, none is ruled out: all stay, below any that fits.
    if (!anyLeft)
      for (const size_t i : *group) found[i] = {found[i].town, found[i].end, found[i].length, found[i].variant,
                                                found[i].afterStreet, AddressMatch::Cover::Fallback};
  }
}

// How one sibling's note agrees with the house numbers written after its name; true
// when it is a range (or floor) that covers the number written.
bool AddressReader::WeighNote(const TownNote& note, const HouseNumbers& house, QStringView foldedRest, int decisive,
                              Found& found) {
  using Kind = TownNote::Kind;
  using Cover = AddressMatch::Cover;
  const auto covers = [&found](bool written, bool inRange) {
    found.excluded = written && !inRange;
    return written && inRange;
  };
  switch (note.kind) {
    case Kind::Whole: return false;
    case Kind::Chome: return covers(house.Chome() >= 0, note.Covers(house.Chome(), -1));
    case Kind::Banchi: return covers(house.Banchi() >= 0, note.Covers(house.Banchi(), house.Branch()));
    case Kind::Floor:
      found.excluded = house.floor < 0 || !note.Covers(house.floor, -1);  // no floor: the building's own code
      return !found.excluded;
    case Kind::Basement:
      if (house.floor >= 0 && !house.basement) found.cover = Cover::Fallback;
      return false;
    case Kind::Others:
      if (decisive >= 0) found.cover = Cover::Fallback;
      return false;
    case Kind::Named:
      if (foldedRest.startsWith(note.name)) found.length += int(note.name.size());
      return false;
  }
  return false;
}

QList<qint32> AddressReader::EntriesWithCode(const QString& code) const {
  QList<qint32> records;
  const qint32 number = CodeNumber(code);
  if (number < 0) return records;
  for (auto at = std::lower_bound(byCode_.begin(), byCode_.end(), std::pair(number, 0));
       at != byCode_.end() && at->first == number; ++at)
    records << towns_[size_t(at->second)].recordNo;
  return records;
}

QString AddressReader::Code(qint32 recordNo) const {
  const qint32 code = TownOf(recordNo).code;
  return code < 0 ? QString() : QStringLiteral("%1").arg(code, 7, 10, QChar(u'0'));
}

QString AddressReader::Address(qint32 recordNo) const {
  const Town& town = TownOf(recordNo);
  return cities_[size_t(town.city)].name + town.name;
}

}  // namespace mirabo
