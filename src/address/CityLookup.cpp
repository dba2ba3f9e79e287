// Building the city lookup of a data set, and the entries that best match an address.
#include "address/CityLookup.h"

#include <algorithm>
#include <cstring>

#include "address/AddressText.h"
#include "data/TextFitting.h"

CityLookup::CityLookup(DataSet& data) {
  const qint32 count = qMax(data.EntryCount, 0);
  entries_.reserve(size_t(count));
  QHash<QString, int> prefIds;
  QHash<std::pair<int, QString>, int> cityIds;
  QString lastPref, lastCity;
  int city = -1;
  char bytes[EntryRecord::Size];
  for (qint32 n = 1; n <= count; ++n) {
    // A record that cannot be read counts as never written: zero bytes, no text.
    if (!data.EntryFile.Read(n, bytes)) std::memset(bytes, 0, EntryRecord::Size);
    const EntryRecord entry = EntryRecord::Decode(bytes);
    const QString pref = CleanField(entry.Pref), cityName = CleanField(entry.City);
    // Rows of one city come together; normalise its names once per run of rows.
    if (city < 0 || pref != lastPref || cityName != lastCity) {
      lastPref = pref;
      lastCity = cityName;
      const QString normalPref = NormalizeForMatch(pref);
      const int prefId = prefIds.value(normalPref, int(prefs_.size()));
      if (prefId == prefs_.size()) {
        prefIds.insert(normalPref, prefId);
        prefs_ << normalPref;
      }
      const auto key = std::pair(prefId, NormalizeForMatch(cityName));
      city = cityIds.value(key, int(cities_.size()));
      if (city == int(cities_.size())) {
        cityIds.insert(key, city);
        cities_.push_back({prefId, {}});
        // A city without a name can start no address, so it gets no key.
        for (const QString& name : {key.second, CityWithoutCounty(key.second)}) {
          if (name.isEmpty()) continue;
          cityKeys_[name] << city;
          longestKey_ = qMax(longestKey_, name.size());
        }
      }
    }
    const QString town = CleanTownForMatch(CleanField(entry.Town));
    const int item = int(entries_.size());
    entries_.push_back({n, city, CleanField(entry.Code), NormalizeForMatch(town), pref + cityName + town});
    cities_[size_t(city)].items << item;
    byCode_[entries_.back().code] << item;
  }
}

QList<qint32> CityLookup::BestEntries(const QString& address) const {
  QList<qint32> records;
  for (const int item : BestItems(NormalizeForMatch(address))) records << entries_[size_t(item)].recordNo;
  return records;
}

QList<qint32> CityLookup::EntriesWithCode(const QString& code) const {
  QList<qint32> records;
  for (const int item : byCode_.value(code)) records << entries_[size_t(item)].recordNo;
  return records;
}

std::vector<int> CityLookup::BestItems(const QString& address) const {
  Rank best;
  std::vector<int> items;
  // The rest after the city names that the rest starts with; `pref` < 0 allows any prefecture.
  const auto rankRest = [&](int pref, QStringView rest) {
    const qsizetype longest = qMin(longestKey_, rest.size());
    for (qsizetype length = 1; length <= longest; ++length) {
      const auto found = cityKeys_.constFind(rest.left(length).toString());
      if (found == cityKeys_.cend()) continue;
      for (const int city : *found)
        if (pref < 0 || cities_[size_t(city)].pref == pref) RankCity(cities_[size_t(city)], rest.mid(length), best, items);
    }
  };
  QList<int> written;  // the prefectures the address starts with
  for (int pref = 0; pref < prefs_.size(); ++pref)
    if (!prefs_[pref].isEmpty() && address.startsWith(prefs_[pref])) written << pref;
  if (written.isEmpty()) {
    rankRest(-1, address);
  } else {
    for (const int pref : written) rankRest(pref, QStringView(address).mid(prefs_[pref].size()));
    // Entries without a prefecture name have nothing to remove and no other name to clash with.
    const qsizetype unnamed = prefs_.indexOf(QString());
    if (unnamed >= 0) rankRest(int(unnamed), address);
  }
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  return items;
}

// Ranks the city's entries against the text after the city name, keeping the best.
void CityLookup::RankCity(const City& city, QStringView rest, Rank& best, std::vector<int>& bestItems) const {
  for (const int item : city.items) {
    const QString& town = entries_[size_t(item)].town;
    if (town.size() < best.townLength) continue;  // cannot reach the best rank
    Rank rank;
    if (town.isEmpty() || rest.startsWith(town)) {
      rank = {town.size(), true};
    } else if (rest.contains(town)) {
      rank = {town.size(), false};  // e.g. street directions before the town, as in Kyoto
    } else {
      continue;
    }
    if (best < rank) {
      best = rank;
      bestItems.clear();
    }
    if (rank == best) bestItems.push_back(item);
  }
}
