// Comparing two entry files as multisets of identities.
//
// The work is done on the stored bytes: hashing byte views of 124,000 records takes
// milliseconds, and only the changed identities are ever decoded.
#include "update/EntryChanges.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "data/Cp932Codec.h"
#include "data/Records.h"

namespace {

std::string_view Trimmed(const char* field, int width) {
  std::string_view text(field, size_t(width));
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

struct Identity {
  std::string_view code, pref, city, town;

  static Identity Of(const char* record) {
    return {Trimmed(record + EntryRecord::CodeOffset, EntryRecord::CodeWidth), Trimmed(record, EntryRecord::PrefWidth),
            Trimmed(record + 10, EntryRecord::CityWidth), Trimmed(record + 40, EntryRecord::TownWidth)};
  }
  bool operator==(const Identity&) const = default;
};

struct IdentityHash {
  size_t operator()(const Identity& id) const {
    const std::hash<std::string_view> hash;
    size_t h = hash(id.code);
    for (std::string_view part : {id.pref, id.city, id.town}) h ^= hash(part) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
  }
};

struct Tally {
  qint64 before = 0;
  qint64 after = 0;
};
using Tallies = std::unordered_map<Identity, Tally, IdentityHash>;

void Count(Tallies& tallies, const QByteArray& entries, qint64 Tally::*side) {
  const qsizetype records = entries.size() / EntryRecord::Size;
  for (qsizetype i = 0; i < records; ++i) ++(tallies[Identity::Of(entries.constData() + i * EntryRecord::Size)].*side);
}

struct Change {
  EntryChange::Kind kind;
  Identity id;
};

// char_traits<char> compares as unsigned bytes, which is code page 932 order.
bool ReportOrder(const Change& a, const Change& b) {
  if (a.id.code != b.id.code) return a.id.code < b.id.code;
  if (a.kind != b.kind) return a.kind < b.kind;
  if (a.id.pref != b.id.pref) return a.id.pref < b.id.pref;
  if (a.id.city != b.id.city) return a.id.city < b.id.city;
  return a.id.town < b.id.town;
}

QString Decode(std::string_view bytes) { return cp932::Decode(bytes.data(), qsizetype(bytes.size())); }

// Counts the changed codes that one side does not hold at all.
void CountCodes(const Tallies& tallies, const std::vector<Change>& changes, EntryChanges& result) {
  std::unordered_map<std::string_view, Tally> codes;
  for (const Change& change : changes) codes.emplace(change.id.code, Tally{});
  for (const auto& [id, tally] : tallies) {
    const auto found = codes.find(id.code);
    if (found == codes.end()) continue;
    found->second.before += tally.before;
    found->second.after += tally.after;
  }
  for (const auto& [code, tally] : codes) {
    if (tally.before == 0) ++result.newCodes;
    if (tally.after == 0) ++result.retiredCodes;
  }
}

}  // namespace

EntryChanges CompareEntries(const QByteArray& oldEntries, const QByteArray& newEntries) {
  Tallies tallies;
  tallies.reserve(size_t(std::max(oldEntries.size(), newEntries.size()) / EntryRecord::Size));
  Count(tallies, oldEntries, &Tally::before);
  Count(tallies, newEntries, &Tally::after);

  EntryChanges result;
  std::vector<Change> changes;
  for (const auto& [id, tally] : tallies) {
    for (qint64 n = tally.before; n < tally.after; ++n) changes.push_back({EntryChange::Added, id});
    for (qint64 n = tally.after; n < tally.before; ++n) changes.push_back({EntryChange::Removed, id});
  }
  std::sort(changes.begin(), changes.end(), ReportOrder);
  CountCodes(tallies, changes, result);

  result.changes.reserve(qsizetype(changes.size()));
  for (const Change& change : changes) {
    result.changes.append({change.kind, Decode(change.id.code), Decode(change.id.pref), Decode(change.id.city),
                           Decode(change.id.town)});
    ++(change.kind == EntryChange::Added ? result.added : result.removed);
  }
  return result;
}
